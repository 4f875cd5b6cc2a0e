#pragma once

#include <array>

// Where the level draws the board's pictures: the foreground masks at the depth of the row
// they cover, and the three background animations. The forge cuts and paints them for the same
// places.
namespace board {

struct Placement {
    const char* label;
    int x;
    int y;
    float depth;
};

constexpr Placement kBackground{"background", 0, 0, -1.0f};

constexpr std::array<Placement, 10> kMasks = {{{"mask_tree", 610, 517, 0.81f},
                                              {"mask_well", 692, 262, 0.3f},
                                              {"mask_wood", 380, 308, 0.22f},
                                              {"mask_barrel", 215, 575, 0.85f},
                                              {"mask_tabletop", 441, 384, 0.47f},
                                              {"mask_fence", 842, 372, 0.42f},
                                              {"mask_shrub_front_01", 0, 672, 1.0f},
                                              {"mask_shrub_front_02", 365, 688, 1.0f},
                                              {"mask_shrub_front_03", 898, 607, 1.0f},
                                              // The hay bales: a dwarf behind them must not seem to stand on top.
                                              {"mask_hay", 500, 290, 0.275f}}};

constexpr Placement kChimneyAnim{"anim_chimmney", 166, 0, -0.5f};
constexpr Placement kWaterAnim{"anim_water", 970, 333, -0.5f};
constexpr Placement kForestAnim{"anim_forest", 0, 0, -0.4f};

}  // namespace board
