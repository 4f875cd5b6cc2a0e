#pragma once

#include "audio/SampleLoader.h"

// RIFF/WAVE files. The chunks are walked by their sizes, each checked against the file before
// it is used.
class WavLoader : public SampleLoader {
public:
    bool CanLoad(const std::string& name) override;
    bool Load(const std::string& name, SampleData& out) override;
};
