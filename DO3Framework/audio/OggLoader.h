#pragma once

#include "audio/SampleLoader.h"

// Ogg Vorbis files, decoded whole to 16-bit PCM.
class OggLoader : public SampleLoader {
public:
    bool CanLoad(const std::string& name) override;
    bool Load(const std::string& name, SampleData& out) override;
};
