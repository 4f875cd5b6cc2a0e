#include "audio/SampleManager.h"

#include <algorithm>
#include <cstring>

#include "app/Debug.h"
#include "audio/SampleStream.h"
#include "audio/SoundEngine.h"
#include "audio/StreamingSample.h"
#include "params/Serializer.h"
#include "platform/Mixer.h"
#include "platform/PlatformResult.h"
#include "platform/SoundBuffer.h"
#include "util/Factory.h"

namespace {

constexpr int kLowRateLimitHz = 22100;

int BufferControls(int flags)
{
    int controls = 0;
    if (flags & Sample::kVolumeControl) {
        controls |= platform::kControlVolume;
    }
    if (flags & Sample::kFrequencyControl) {
        controls |= platform::kControlFrequency;
    }
    return controls;
}

void MixToMono(SampleData& data)
{
    const size_t frames = data.data.size() / 4;
    uint8_t* words = data.data.data();
    for (size_t i = 0; i < frames; ++i) {
        int16_t left = 0;
        int16_t right = 0;
        std::memcpy(&left, words + 4 * i, 2);
        std::memcpy(&right, words + 4 * i + 2, 2);
        const auto mono = static_cast<int16_t>((left + right) / 2);
        std::memcpy(words + 2 * i, &mono, 2);
    }
    data.data.resize(frames * 2);
    data.channels = 1;
    data.frames = static_cast<int>(frames);
    data.bytes = static_cast<int>(data.data.size());
}

void HalveRate(SampleData& data)
{
    const size_t frames = data.data.size() / 2 / 2;
    uint8_t* words = data.data.data();
    for (size_t i = 0; i < frames; ++i) {
        std::memmove(words + 2 * i, words + 4 * i, 2);
    }
    data.data.resize(frames * 2);
    data.rate /= 2;
    data.frames = static_cast<int>(frames);
    data.bytes = static_cast<int>(data.data.size());
}

}  // namespace

SampleManager::SampleManager() = default;

SampleManager::~SampleManager()
{
    Shutdown();
}

bool SampleManager::Init()
{
    LogRegisteredTypes();
    CreateLoaders();
    const int32_t result = device.Open();
    if (result != platform::kResultOk) {
        Debug::Instance().Error("SampleManager: DirectSoundCreate (%x)\n", static_cast<unsigned>(result));
        initialized = false;
        return false;
    }
    initialized = true;
    return true;
}

void SampleManager::InitWithoutOutput(int outputRate)
{
    CreateLoaders();
    device.OpenWithoutOutput(outputRate);
    initialized = true;
}

void SampleManager::Shutdown()
{
    // Voices borrow samples; they give them back before the samples go.
    if (SoundEngine::Exists()) {
        SoundEngine::Instance().ReleaseSampleCopies();
    }
    firstByName.clear();
    samples.clear();
    device.Close();
    initialized = false;
}

void SampleManager::LogRegisteredTypes() const
{
    Debug::Instance().Log("Registered Sample Loading types\n");
    for (const std::string& type : Factory<SampleLoader>::Names()) {
        Debug::Instance().Log("  %s\n", type.c_str());
    }
    Debug::Instance().Log("Registered Sample Stream types\n");
    for (const std::string& type : Factory<SampleStream>::Names()) {
        Debug::Instance().Log("  %s\n", type.c_str());
    }
}

void SampleManager::CreateLoaders()
{
    if (!loaders.empty()) {
        return;
    }
    // Byte-wise order tries "OggLoader" before "WavLoader", as a name without extension needs.
    for (const std::string& type : Factory<SampleLoader>::Names()) {
        loaders.push_back(Factory<SampleLoader>::Create(type));
    }
}

std::unique_ptr<Sample> SampleManager::Load(const std::string& name, const std::string& fileName, int flags)
{
    if (!SoundEngine::Instance().IsEnabled()) {
        return nullptr;
    }
    if (flags & Sample::kStream) {
        return LoadStream(name, fileName, flags);
    }
    return LoadWhole(name, fileName, flags);
}

std::unique_ptr<Sample> SampleManager::LoadWhole(const std::string& name, const std::string& fileName, int flags)
{
    for (const auto& loader : loaders) {
        if (!loader->CanLoad(fileName)) {
            continue;
        }
        SampleData data;
        if (!loader->Load(fileName, data)) {
            break;
        }
        Resample(data);
        return std::make_unique<Sample>(name, fileName, flags, CreateSoundBuffer(data, flags));
    }
    Debug::Instance().Error("SampleManager::Load could not load filename %s\n", fileName.c_str());
    return std::make_unique<Sample>(name, fileName, flags, nullptr);
}

std::unique_ptr<StreamingSample> SampleManager::LoadStream(const std::string& name, const std::string& fileName,
                                                           int flags)
{
    if (!SoundEngine::Instance().IsEnabled()) {
        return nullptr;
    }
    for (const std::string& type : Factory<SampleStream>::Names()) {
        std::unique_ptr<SampleStream> stream = Factory<SampleStream>::Create(type);
        SampleData data;
        if (!stream || !stream->CanOpen(fileName) || !stream->Open(fileName, data)) {
            continue;
        }
        // One second of sound in the ring.
        data.frames = data.rate;
        data.bytes = data.bits / 8 * data.channels * data.rate;
        auto buffer = CreateSoundBuffer(data, flags & 0xFF);
        if (!buffer) {
            return nullptr;
        }
        return std::make_unique<StreamingSample>(name, fileName, flags, std::move(buffer), std::move(stream));
    }
    Debug::Instance().Error("SampleManager::Load could not load filename %s\n", fileName.c_str());
    return nullptr;
}

bool SampleManager::Add(const std::string& name, const std::string& fileName, int flags)
{
    if (!SoundEngine::Instance().IsEnabled()) {
        return false;
    }
    std::unique_ptr<Sample> sample = Load(name, fileName, flags);
    if (!sample) {
        Debug::Instance().Error("SampleManager::Load could not load filename %s\n", fileName.c_str());
        return false;
    }
    firstByName.emplace(name, sample.get());
    samples.emplace(name, std::move(sample));
    return true;
}

Sample* SampleManager::Find(const std::string& name) const
{
    auto found = firstByName.find(name);
    return found != firstByName.end() ? found->second : nullptr;
}

Sample* SampleManager::GetFreeInstance(const std::string& name)
{
    auto [first, last] = samples.equal_range(name);
    if (name.empty() || first == last) {
        return nullptr;
    }
    for (auto it = first; it != last; ++it) {
        if (!it->second->IsPlaying()) {
            return it->second.get();
        }
    }
    first->second->Stop();
    return first->second.get();
}

int SampleManager::CountInstances(const std::string& name) const
{
    return static_cast<int>(samples.count(name));
}

std::unique_ptr<platform::SoundBuffer> SampleManager::CreateSoundBuffer(const SampleData& data, int flags)
{
    if (!SoundEngine::Instance().IsEnabled()) {
        return nullptr;
    }
    if (!device.GetMixer()) {
        Debug::Instance().Error("SampleManager::CreateSoundBuffer: %x\n",
                                static_cast<unsigned>(platform::kResultNotInitialized));
        return nullptr;
    }
    const platform::SoundFormat format{data.rate, data.bits, data.channels};
    const int size = data.frames * format.BlockAlign();
    std::unique_ptr<platform::SoundBuffer> buffer;
    const int32_t created = device.GetMixer()->CreateBuffer(format, size, BufferControls(flags), &buffer);
    if (created != platform::kResultOk) {
        Debug::Instance().Error("SampleManager::CreateSoundBuffer: %x\n", static_cast<unsigned>(created));
        return nullptr;
    }
    if (data.data.empty()) {
        return buffer;  // created zero-filled
    }
    void* first = nullptr;
    void* second = nullptr;
    int firstBytes = 0;
    int secondBytes = 0;
    const int32_t locked = buffer->Lock(0, size, &first, &firstBytes, &second, &secondBytes);
    if (locked != platform::kResultOk) {
        Debug::Instance().Error("SampleManager::Lock: %x\n", static_cast<unsigned>(locked));
        return nullptr;
    }
    std::memcpy(first, data.data.data(), std::min(static_cast<size_t>(firstBytes), data.data.size()));
    const int32_t unlocked = buffer->Unlock();
    if (unlocked != platform::kResultOk) {
        Debug::Instance().Error("SampleManager::Unlock: %x\n", static_cast<unsigned>(unlocked));
    }
    return buffer;
}

void SampleManager::Resample(SampleData& data)
{
    if (data.bits != 16) {
        Debug::Instance().Warning("SampleManager::Resample not 16bit samples\n");
        return;
    }
    if (data.channels == 2) {
        MixToMono(data);
    }
    if (data.rate > kLowRateLimitHz) {
        HalveRate(data);
    }
}

void SampleManager::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("Sample Manager", name);
    serializer.EndSection();
}
