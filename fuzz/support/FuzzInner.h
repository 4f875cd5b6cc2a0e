#pragma once

#include <string>

#include "params/Object.h"
#include "params/Serializer.h"

// The nested object of the parameter fuzzer's blocks.
class FuzzInner : public Object {
public:
    void Parameters(Serializer& s, const std::string& name) override
    {
        s.BeginSection("Inner", name);
        s.Float("speed", speed);
        s.String("sprite", sprite);
        s.EndSection();
    }

    float speed = 0.0f;
    std::string sprite;
};
