#pragma once

#include <string>

#include "audio/SampleData.h"

// Decodes a whole sound file into memory. Implementations register with Factory<SampleLoader>
// under their class names; names are relative to "data\".
class SampleLoader {
public:
    virtual ~SampleLoader() = default;

    virtual bool CanLoad(const std::string& name) = 0;
    virtual bool Load(const std::string& name, SampleData& out) = 0;
};
