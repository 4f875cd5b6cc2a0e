#pragma once

#include <string>

class Serializer;

// The root of every configurable class. One operation lists the tunable parameters through a
// Serializer, which serves reading, writing and the editor alike; the other lists the complete
// run-time state for the editor.
class Object {
public:
    Object() = default;
    virtual ~Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;

    virtual void Parameters(Serializer& serializer, const std::string& name);
    virtual void State(Serializer& serializer, const std::string& name);
};
