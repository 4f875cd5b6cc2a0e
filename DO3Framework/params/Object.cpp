#include "params/Object.h"

void Object::Parameters(Serializer&, const std::string&) {}

void Object::State(Serializer&, const std::string&) {}
