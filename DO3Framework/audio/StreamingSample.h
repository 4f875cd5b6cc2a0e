#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/Sample.h"
#include "audio/SampleStream.h"
#include "platform/PeriodicTimer.h"

class SoundEngine;

// A one-second ring buffer kept filled from a stream by a periodic timer on its own thread.
// The timer touches only this object: its stream, write position, end fields and scratch
// block. It is killed and joined before the stream or buffer goes, so no tick outlives them.
class StreamingSample : public Sample {
public:
    static constexpr uint32_t kRefillPeriodMs = 100;

    StreamingSample(std::string name, std::string fileName, int flags, std::unique_ptr<platform::SoundBuffer> buffer,
                    std::unique_ptr<SampleStream> stream);
    ~StreamingSample() override;

    // Plays to the end of the stream and stops by itself.
    void Play() override;
    void PlayLooping() override;
    void Stop() override;
    // The stream's own volume; what sounds is scaled by sound group 0 (ApplyVolume).
    void SetVolume(float newVolume) override;
    float GetVolume() const override { return ownVolume; }

    void ApplyVolume();
    // Starts the stream over; a running timer is joined first and then goes on.
    void Rewind();
    // The engine that lists this stream; a tick runs only while it still does.
    void SetOwner(const SoundEngine* engine) { owner = engine; }

    // One refill, as the timer does it; stops a play-once stream whose end has played, and a
    // stream that failed to decode.
    void TimerTick();
    bool IsTimerInstalled() const { return timerInstalled.load(); }
    // Refills that found less than a quarter second of sound ahead of the play cursor.
    int StarvedRefills() const { return starvedRefills.load(); }

private:
    static constexpr int kScratchBytes = 4096;
    static constexpr int kMaxBytesPerRefill = 40000;

    void Loop();
    void StartTimer();
    // Writes at most maxBytes; true when the stream is over: a play-once stream has finished
    // playing, or the stream failed to decode.
    bool Refill(int maxBytes);
    bool HasFinished(int playPosition) const;
    void WriteBlock(const uint8_t* block, int bytes);
    void KillTimer();

    std::unique_ptr<SampleStream> stream;
    const SoundEngine* owner = nullptr;
    int bufferBytes = 0;
    int blockAlign = 1;
    std::atomic<int> busy{0};
    platform::PeriodicTimer timer;
    std::atomic<bool> timerInstalled{false};
    int writePosition = 0;
    bool playOnce = false;
    float ownVolume = 1.0f;
    bool endReached = false;
    int endPosition = 0;
    // Set once the stream reports a decode error; it is not started again.
    bool broken = false;
    std::atomic<int> starvedRefills{0};
    std::vector<uint8_t> scratch;
};
