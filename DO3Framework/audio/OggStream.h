#pragma once

#include "audio/OggDecoder.h"
#include "audio/SampleStream.h"

// Streams an Ogg Vorbis file whose compressed bytes stay in memory; at the end it starts over.
class OggStream : public SampleStream {
public:
    bool CanOpen(const std::string& name) override;
    bool Open(const std::string& name, SampleData& out) override;
    void Close() override;
    int Refill(uint8_t* buffer, int bytes) override;
    void Rewind() override;

private:
    OggDecoder decoder;
};
