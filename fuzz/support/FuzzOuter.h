#pragma once

#include <string>

#include "params/Object.h"
#include "params/Serializer.h"
#include "support/FuzzInner.h"

// The object the parameter fuzzer reads into and the seed writer writes: every kind of
// parameter once, a nested object, and a value after it.
class FuzzOuter : public Object {
public:
    void Parameters(Serializer& s, const std::string& name) override
    {
        s.BeginSection("Outer", name);
        s.Comment("fuzzed");
        s.Float("maximum Speed", maximumSpeed);
        s.Int("lives", lives);
        s.Bool("visible", visible);
        s.String("title", title);
        s.Vector("cell", cellX, cellY);
        s.VectorFloat("position", column, row);
        s.Hint("hide", "");
        s.SubObject("Brains", &inner);
        s.Float("after", after);
        s.EndSection();
    }

    float maximumSpeed = 0.0f;
    int lives = 0;
    bool visible = false;
    std::string title;
    int cellX = 0;
    int cellY = 0;
    float column = 0.0f;
    float row = 0.0f;
    FuzzInner inner;
    float after = 0.0f;
};
