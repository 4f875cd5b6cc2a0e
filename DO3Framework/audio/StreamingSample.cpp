#include "audio/StreamingSample.h"

#include <algorithm>
#include <cstring>

#include "app/Debug.h"
#include "audio/SoundEngine.h"
#include "platform/SoundBuffer.h"

namespace {

// Leaves room before the play cursor, as the ring starts.
constexpr int kFirstWritePosition = 8;

}  // namespace

StreamingSample::StreamingSample(std::string sampleName, std::string sampleFileName, int loadFlags,
                                 std::unique_ptr<platform::SoundBuffer> ring, std::unique_ptr<SampleStream> source)
    : Sample(std::move(sampleName), std::move(sampleFileName), loadFlags, std::move(ring)), stream(std::move(source)),
      scratch(kScratchBytes)
{
    if (Buffer()) {
        blockAlign = Buffer()->Format().BlockAlign();
    }
}

StreamingSample::~StreamingSample()
{
    Stop();
    if (stream) {
        stream->Close();
    }
}

void StreamingSample::Play()
{
    if (!SoundEngine::Instance().IsEnabled() || !Buffer()) {
        return;
    }
    playOnce = true;
    Loop();
}

void StreamingSample::PlayLooping()
{
    if (!SoundEngine::Instance().IsEnabled() || !Buffer()) {
        return;
    }
    playOnce = false;
    Loop();
}

void StreamingSample::Loop()
{
    if (timerInstalled.load()) {
        Debug::Instance().Error("StreamingSample::Loop timer already installed\n");
    }
    // Whatever ran before is stopped and joined, so one timer at most serves this stream.
    KillTimer();
    endReached = false;
    bufferBytes = Buffer()->Size();
    writePosition = kFirstWritePosition;
    Buffer()->SetCurrentPosition(0);
    // The first fill is not capped, so the ring starts three quarters full.
    Refill(bufferBytes);
    // A stream that failed to decode was logged once and stays silent.
    if (broken) {
        return;
    }
    ApplyVolume();
    Buffer()->Play(true);
    StartTimer();
}

void StreamingSample::StartTimer()
{
    busy.store(0);
    if (!timer.Start(kRefillPeriodMs, [this] { TimerTick(); })) {
        Debug::Instance().Error("timeSetEvent error\n");
        return;
    }
    timerInstalled.store(true);
}

void StreamingSample::Stop()
{
    KillTimer();
    if (Buffer()) {
        Buffer()->Stop();
    }
}

void StreamingSample::KillTimer()
{
    timer.Kill();
    timerInstalled.store(false);
}

void StreamingSample::SetVolume(float newVolume)
{
    ownVolume = newVolume;
    ApplyVolume();
}

void StreamingSample::ApplyVolume()
{
    Sample::SetVolume(ownVolume * SoundEngine::Instance().StreamLevel());
}

void StreamingSample::Rewind()
{
    // The decoder is the timer's while it runs: it is stopped and joined first.
    const bool running = timerInstalled.load();
    KillTimer();
    if (stream) {
        stream->Rewind();
    }
    if (running) {
        StartTimer();
    }
}

void StreamingSample::TimerTick()
{
    if (owner && !owner->IsStreamValid(this)) {
        return;
    }
    if (busy.exchange(1) == 1) {
        return;
    }
    const bool over = Refill(kMaxBytesPerRefill);
    busy.store(0);
    if (over) {
        // From the timer's own thread Kill only stops it; the next Stop or Loop joins it.
        Buffer()->Stop();
        timer.Kill();
        timerInstalled.store(false);
    }
}

bool StreamingSample::Refill(int maxBytes)
{
    if (broken) {
        return true;
    }
    int playPosition = 0;
    Buffer()->GetCurrentPosition(&playPosition, nullptr);
    int freeBytes = playPosition - writePosition;
    if (freeBytes < 0) {
        freeBytes += bufferBytes;
    }
    if (bufferBytes - freeBytes < bufferBytes / 4 && Buffer()->GetStatus() != 0) {
        starvedRefills.fetch_add(1);
    }
    int avail = std::min(freeBytes - bufferBytes / 4, maxBytes);
    bool wrapped = false;
    while (avail > 0) {
        // Never more than avail, so a small ring is not written past the quarter kept free.
        const int wanted = std::min(kScratchBytes, avail) / blockAlign * blockAlign;
        if (wanted <= 0) {
            break;
        }
        int got = wanted;
        if (endReached) {
            std::memset(scratch.data(), 0, static_cast<size_t>(wanted));
        } else {
            got = stream->Refill(scratch.data(), wanted);
        }
        if (got < 0) {
            // The stream logged its error; it would repeat at every pass, so it ends here.
            broken = true;
            return true;
        }
        if (got == 0) {
            if (!playOnce) {
                // The stream has started over; one more empty read means it has nothing.
                if (wrapped) {
                    break;
                }
                wrapped = true;
                continue;
            }
            if (endReached) {
                break;
            }
            // The rest is silence, so nothing old plays between the end and the stop.
            endReached = true;
            endPosition = writePosition;
            continue;
        }
        WriteBlock(scratch.data(), got);
        avail -= got;
    }
    return playOnce && endReached && HasFinished(playPosition);
}

void StreamingSample::WriteBlock(const uint8_t* block, int bytes)
{
    void* first = nullptr;
    void* second = nullptr;
    int firstBytes = 0;
    int secondBytes = 0;
    if (Buffer()->Lock(writePosition, bytes, &first, &firstBytes, &second, &secondBytes) != 0) {
        return;
    }
    std::memcpy(first, block, static_cast<size_t>(firstBytes));
    if (second) {
        std::memcpy(second, block + firstBytes, static_cast<size_t>(secondBytes));
    }
    Buffer()->Unlock();
    writePosition = (writePosition + bytes) % bufferBytes;
}

bool StreamingSample::HasFinished(int playPosition) const
{
    const int quarter = bufferBytes / 4;
    if (endPosition <= playPosition && playPosition <= endPosition + quarter) {
        return true;
    }
    return endPosition > 3 * quarter && playPosition < endPosition - 3 * quarter;
}
