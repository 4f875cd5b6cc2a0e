#include "platform/VideoPlayer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Clock.h"
#include "platform/PlatformResult.h"
#include "platform/SoundBuffer.h"
#include "platform/SoundDevice.h"

namespace platform {

namespace {

// Short naps keep the window answering between pictures.
constexpr uint32_t kLongestNapMilliseconds = 10;

}  // namespace

VideoPlayer::VideoPlayer() = default;
VideoPlayer::~VideoPlayer() = default;

bool VideoPlayer::Open(const uint8_t* data, size_t size, std::string& why)
{
    film = AviFile::Parse(data, size, why);
    if (!film) {
        return false;
    }
    bytes = data;
    if (!DecodeFrame(0)) {
        why = "the first picture does not decode";
        film.reset();
        return false;
    }
    return true;
}

bool VideoPlayer::DecodeFrame(size_t index)
{
    const AviFile::Chunk& chunk = film->VideoFrames()[index];
    if (chunk.size == 0) {
        return !picture.rgb.empty();
    }
    return JpegDecoder::Decode(bytes + chunk.offset, chunk.size, picture) == JpegDecoder::Result::Ok;
}

void VideoPlayer::DrawPicture(PixelSurface& target, const PixelRect& band)
{
    const int width = target.Width();
    const int height = target.Height();
    for (const PixelRect& around : {PixelRect{0, 0, width, band.top}, PixelRect{0, band.bottom, width, height},
                                    PixelRect{0, band.top, band.left, band.bottom},
                                    PixelRect{band.right, band.top, width, band.bottom}}) {
        if (!around.IsEmpty()) {
            target.Fill(&around, 0);
        }
    }
    LockedPixels locked;
    if (target.Lock(locked) != kResultOk) {
        return;
    }
    scaler.Draw(picture.rgb.data(), picture.width, picture.height, locked, band);
    target.Unlock();
}

std::unique_ptr<SoundBuffer> VideoPlayer::StartSound(SoundDevice& device) const
{
    if (!film->HasAudio() || device.Open() != kResultOk) {
        return nullptr;
    }
    const AviFile::AudioInfo& audio = film->Audio();
    const SoundFormat format{audio.samplesPerSecond, audio.bitsPerSample, audio.channels};
    std::vector<uint8_t> pcm;
    for (const AviFile::Chunk& chunk : film->AudioChunks()) {
        pcm.insert(pcm.end(), bytes + chunk.offset, bytes + chunk.offset + chunk.size);
    }
    pcm.resize(pcm.size() - pcm.size() % static_cast<size_t>(format.BlockAlign()));
    std::unique_ptr<SoundBuffer> buffer;
    if (pcm.empty() || pcm.size() > static_cast<size_t>(INT32_MAX) ||
        device.GetMixer()->CreateBuffer(format, static_cast<int>(pcm.size()), 0, &buffer) != kResultOk) {
        return nullptr;
    }
    void* first = nullptr;
    void* second = nullptr;
    int firstBytes = 0;
    int secondBytes = 0;
    if (buffer->Lock(0, static_cast<int>(pcm.size()), &first, &firstBytes, &second, &secondBytes) != kResultOk) {
        return nullptr;
    }
    std::memcpy(first, pcm.data(), static_cast<size_t>(firstBytes));
    buffer->Unlock();
    buffer->Play(false);
    return buffer;
}

VideoPlayer::Report VideoPlayer::Play(const Hooks& hooks)
{
    Report report;
    PixelRect band;
    if (PixelSurface* target = hooks.frame(band)) {
        target->Fill(nullptr, 0);
        hooks.present();
    }
    SoundDevice device;
    std::unique_ptr<SoundBuffer> sound = StartSound(device);
    report.soundPlayed = sound != nullptr;
    const double millisecondsPerFrame = film->SecondsPerFrame() * 1000.0;
    const size_t frames = film->VideoFrames().size();
    const uint32_t start = Clock::Milliseconds();
    size_t shown = frames;
    for (;;) {
        hooks.pumpEvents();
        if (hooks.stopRequested()) {
            report.stoppedEarly = true;
            break;
        }
        const uint32_t elapsed = Clock::Milliseconds() - start;
        const auto due = static_cast<size_t>(elapsed / millisecondsPerFrame);
        if (due >= frames) {
            break;
        }
        if (due != shown) {
            shown = due;
            PixelSurface* target = hooks.frame(band);
            if (!DecodeFrame(due)) {
                ++report.framesBroken;
            } else if (target) {
                DrawPicture(*target, band);
                hooks.present();
                ++report.framesShown;
            }
        }
        const auto next = static_cast<uint32_t>((static_cast<double>(due) + 1.0) * millisecondsPerFrame);
        Clock::Sleep(std::min(next > elapsed ? next - elapsed : 1u, kLongestNapMilliseconds));
    }
    if (sound) {
        sound->Stop();
    }
    return report;
}

}  // namespace platform
