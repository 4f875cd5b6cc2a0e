#pragma once

#include <string>

#include "params/Object.h"

// The base of every object the game creates by class name (Factory<GameElement>) and keeps in
// the Cast. Derived classes override Parameters with one section of their own and do not call
// this one.
class GameElement : public Object {
public:
    void Parameters(Serializer& serializer, const std::string& name) override;
    void State(Serializer& serializer, const std::string& name) override;

    virtual void Render() = 0;
    virtual void Update(float dtSeconds) = 0;
    virtual void Reset() {}
    // Recomputes what depends on the parameters after they were read.
    virtual void ParametersChanged() {}
};
