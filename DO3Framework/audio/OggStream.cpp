#include "audio/OggStream.h"

#include <vector>

#include "app/Debug.h"
#include "audio/SoundFile.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(SampleStream, OggStream);

namespace {

constexpr const char* kExtension = "OGG";

}  // namespace

bool OggStream::CanOpen(const std::string& name)
{
    std::string path;
    return SoundFile::Resolve(name, kExtension, path);
}

bool OggStream::Open(const std::string& name, SampleData& out)
{
    std::string path;
    std::vector<uint8_t> compressed;
    if (!SoundFile::Resolve(name, kExtension, path)) {
        return false;
    }
    if (!SoundFile::ReadWhole(path, compressed)) {
        Debug::Instance().Error("OggStream: not enough memory\n");
        return false;
    }
    if (!decoder.Open(std::move(compressed))) {
        Debug::Instance().Error("OggStream: Input does not appear to be an Ogg bitstream.\n");
        return false;
    }
    out.rate = decoder.Rate();
    out.channels = decoder.Channels();
    out.bits = 16;
    out.frames = 0;
    out.data.clear();
    out.bytes = 0;
    return true;
}

void OggStream::Close()
{
    decoder.Close();
}

int OggStream::Refill(uint8_t* buffer, int bytes)
{
    const int got = decoder.Read(buffer, bytes);
    if (got == 0) {
        Rewind();
        return 0;
    }
    if (got < 0) {
        Debug::Instance().Error("Oggstream::Refill not ok (%d)!\n", got);
    }
    return got;
}

void OggStream::Rewind()
{
    if (!decoder.Reopen()) {
        Debug::Instance().Error("Input does not appear to be an Ogg bitstream.\n");
    }
}
