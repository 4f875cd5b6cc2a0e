#pragma once

#include <cstdint>
#include <vector>

#include "model/Material.h"

// What a figure is made of: proportions, its kind of headwear, beard and held things, and its
// palette. Material slots index the palette.
struct FigureLook {
    enum Slot : uint8_t {
        kSkin, kTunic, kTrim, kTrousers, kBoots, kBelt, kBuckle, kHood, kBeard, kEye, kMouth,
        kBoard, kMetal, kPlume, kSecond, kBell, kCheek, kSlotCount
    };
    enum class Head : uint8_t { kHood, kHelmet, kJesterCap, kHuntersHat, kCrown };
    enum class Held : uint8_t { kBoard, kMusket, kNothing };

    float size = 1.0f;         // all proportions
    float girth = 1.0f;        // body width
    float legLength = 18.0f;
    float torsoHeight = 30.0f;
    float headRadius = 10.0f;
    float armLength = 22.0f;
    float limbRadius = 4.2f;
    float beardLength = 1.0f;  // 0 none
    bool forkedBeard = false;
    float hoodLength = 1.0f;
    bool pompom = false;       // a bobble on the hood's tip
    bool skirt = true;         // the tunic flares below the belt
    bool armour = false;       // plates on shoulders and knees
    bool motley = false;       // sleeves in two colours and a collar of belled points
    Head head = Head::kHood;
    Held held = Held::kBoard;
    float boardLength = 34.0f;
    std::vector<Material> palette = std::vector<Material>(kSlotCount);

    void Set(Slot slot, Rgba colour, float gloss = 0.0f) { palette[slot] = {colour, gloss}; }
};
