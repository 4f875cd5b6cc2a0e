#pragma once

#include <string_view>

#include "sound/Synth.h"

// Which recipe makes which sample file of the sound lists.
namespace effects {

using Render = synth::Buffer (*)();

// The recipe for a synthesised sample file, or null when none makes it.
Render Find(std::string_view file);

}  // namespace effects
