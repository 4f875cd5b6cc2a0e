#include "audio/OggLoader.h"

#include <new>
#include <vector>

#include "app/Debug.h"
#include "audio/OggDecoder.h"
#include "audio/SoundFile.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(SampleLoader, OggLoader);

namespace {

constexpr const char* kExtension = "OGG";
constexpr size_t kStepBytes = 4096;
constexpr size_t kGrowBytes = 65536;

// Decodes to the end into pcm; false when the block could not grow.
bool DecodeAll(OggDecoder& decoder, const std::string& name, std::vector<uint8_t>& pcm)
{
    size_t length = 0;
    try {
        pcm.resize(kGrowBytes);
        for (;;) {
            if (length + kStepBytes >= pcm.size()) {
                pcm.resize(pcm.size() + kGrowBytes);
            }
            const int got = decoder.Read(pcm.data() + length, static_cast<int>(kStepBytes));
            if (got == 0) {
                break;
            }
            if (got < 0) {
                Debug::Instance().Error("OggLoader::Load can't load ogg-file <%s> (%d)!\n", name.c_str(), got);
                break;
            }
            length += static_cast<size_t>(got);
        }
    } catch (const std::bad_alloc&) {
        Debug::Instance().Error("OggLoader: realloc not ok\n");
        return false;
    }
    pcm.resize(length);
    pcm.shrink_to_fit();
    return true;
}

}  // namespace

bool OggLoader::CanLoad(const std::string& name)
{
    std::string path;
    return SoundFile::Resolve(name, kExtension, path);
}

bool OggLoader::Load(const std::string& name, SampleData& out)
{
    Debug::Instance().Log("OggLoader::Load %s\n", name.c_str());
    std::string path;
    std::vector<uint8_t> compressed;
    if (!SoundFile::Resolve(name, kExtension, path) || !SoundFile::ReadWhole(path, compressed)) {
        return false;
    }
    OggDecoder decoder;
    if (!decoder.Open(std::move(compressed))) {
        Debug::Instance().Error("OggLoader: <%s> does not appear to be an Ogg bitstream.\n", name.c_str());
        return false;
    }
    std::vector<uint8_t> pcm;
    if (!DecodeAll(decoder, name, pcm)) {
        return false;
    }
    out.rate = decoder.Rate();
    out.channels = decoder.Channels();
    out.bits = 16;
    out.frames = out.channels > 0 ? static_cast<int>(pcm.size() / (2 * static_cast<size_t>(out.channels))) : 0;
    out.bytes = static_cast<int>(pcm.size());
    out.data = std::move(pcm);
    return true;
}
