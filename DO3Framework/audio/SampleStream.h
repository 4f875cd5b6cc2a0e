#pragma once

#include <cstdint>
#include <string>

#include "audio/SampleData.h"

// Decodes a long sound piece by piece. Implementations register with Factory<SampleStream>
// under their class names; names are relative to "data\". Refill runs on the stream's timer
// thread, everything else on the main thread while the timer is stopped.
class SampleStream {
public:
    virtual ~SampleStream() = default;

    virtual bool CanOpen(const std::string& name) = 0;
    // Fills the format; data stays empty.
    virtual bool Open(const std::string& name, SampleData& out) = 0;
    virtual void Close() = 0;
    // Up to bytes of PCM; 0 at the end (the next call starts over), negative (logged) on a
    // decode error.
    virtual int Refill(uint8_t* buffer, int bytes) = 0;
    virtual void Rewind() = 0;
};
