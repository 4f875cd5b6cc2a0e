#pragma once

#include <array>

// The audio events the figures' animations fire (their "_audioevents.txt" maps). The sound
// lists must define every one of them.
namespace figure_sounds {

inline constexpr const char* kStep1 = "step1";
inline constexpr const char* kStep2 = "step2";
inline constexpr const char* kKnightStep1 = "knightstep1";
inline constexpr const char* kKnightStep2 = "knightstep2";
inline constexpr const char* kSwish = "swish";
inline constexpr const char* kSwishHeavy = "swishHeavy";
inline constexpr const char* kJesterBells = "jesterbells";

inline constexpr std::array<const char*, 7> kAll = {kStep1, kStep2, kKnightStep1, kKnightStep2, kSwish, kSwishHeavy,
                                                    kJesterBells};

}  // namespace figure_sounds
