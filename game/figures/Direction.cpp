#include "game/figures/Direction.h"

#include <array>
#include <cstddef>

namespace direction {

namespace {

constexpr float kDiagonal = 0.7071f;
constexpr std::array<const char*, kCount> kSuffixes = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
constexpr std::array<Cell, kCount> kSteps = {{{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}};
constexpr std::array<BoardPoint, kCount> kUnits = {{{0.0f, -1.0f},
                                                    {kDiagonal, -kDiagonal},
                                                    {1.0f, 0.0f},
                                                    {kDiagonal, kDiagonal},
                                                    {0.0f, 1.0f},
                                                    {-kDiagonal, kDiagonal},
                                                    {-1.0f, 0.0f},
                                                    {-kDiagonal, -kDiagonal}}};
constexpr std::array<int, 16> kByKeyBits = {kStand, 0,      4,      kStand, 6,      7,      5,      kStand,
                                            2,      1,      3,      kStand, kStand, kStand, kStand, kStand};

}  // namespace

const char* Suffix(int dir) { return IsFacing(dir) ? kSuffixes[static_cast<std::size_t>(dir)] : ""; }

Cell CellStep(int dir) { return IsFacing(dir) ? kSteps[static_cast<std::size_t>(dir)] : Cell{}; }

BoardPoint UnitVector(int dir) { return IsFacing(dir) ? kUnits[static_cast<std::size_t>(dir)] : BoardPoint{}; }

int FromKeyBits(int bits) { return bits >= 0 && bits < 16 ? kByKeyBits[static_cast<std::size_t>(bits)] : kStand; }

}  // namespace direction
