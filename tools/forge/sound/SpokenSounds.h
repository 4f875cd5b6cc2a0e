#pragma once

#include <string_view>

#include "sound/Synth.h"

// Sounds with a speaking voice in them: every dwarf's "Schach!" calls, the jester's joke and
// the cries of a dwarf caught by a blast. Rendered mono at synth::kEffectRate.
namespace spoken {

// True when file is one of the spoken sounds.
bool Knows(std::string_view file);
// Renders it; false (with a message) when the speech program failed.
bool Render(std::string_view file, synth::Buffer& sound);

}  // namespace spoken
