#include "params/GameElement.h"

#include "params/Serializer.h"

namespace {

constexpr const char* kSectionLabel = "GameElement";

}  // namespace

void GameElement::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection(kSectionLabel, name);
    serializer.EndSection();
    if (serializer.IsReading()) {
        ParametersChanged();
    }
}

void GameElement::State(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection(kSectionLabel, name);
    serializer.EndSection();
}
