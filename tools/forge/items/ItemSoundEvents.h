#pragma once

#include <array>

// Audio events that the item animations fire through their event maps; each must be defined
// in a sound list.
namespace item_sounds {

// The bomb's bang, at the frame where the blast strikes.
inline constexpr const char* kBombBang = "bombExplosion";

inline constexpr std::array<const char*, 1> kEvents = {kBombBang};

}  // namespace item_sounds
