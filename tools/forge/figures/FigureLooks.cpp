#include "figures/FigureLooks.h"

namespace figure_looks {
namespace {

using Slot = FigureLook::Slot;

struct DwarfColours {
    const char* name;
    Rgba hood;
    Rgba tunic;
    Rgba trim;
    Rgba beard;
    Rgba trousers;
    float beardLength;
    bool forked;
    float hoodLength;
    float girth;
};

// fenno, the player, alone wears red with a golden bobble and a snow-white beard.
const DwarfColours kDwarfs[] = {
    {"fenno", {214, 38, 34, 255}, {244, 186, 52, 255}, {180, 40, 36, 255}, {246, 240, 226, 255}, {64, 92, 170, 255}, 1.2f, false, 1.25f, 1.0f},
    {"tabor", {62, 146, 58, 255}, {176, 112, 58, 255}, {228, 196, 96, 255}, {128, 72, 36, 255}, {96, 78, 58, 255}, 0.9f, false, 1.0f, 1.08f},
    {"quirn", {118, 64, 160, 255}, {52, 146, 142, 255}, {230, 220, 180, 255}, {176, 176, 180, 255}, {74, 66, 90, 255}, 1.6f, false, 1.15f, 0.94f},
    {"marlo", {236, 132, 36, 255}, {104, 128, 50, 255}, {60, 84, 30, 255}, {58, 46, 44, 255}, {120, 86, 60, 255}, 0.55f, false, 0.9f, 1.1f},
    {"gandel", {96, 170, 226, 255}, {236, 226, 196, 255}, {96, 170, 226, 255}, {212, 96, 40, 255}, {70, 96, 70, 255}, 1.1f, true, 1.05f, 0.98f},
    {"ruvik", {128, 84, 52, 255}, {44, 66, 140, 255}, {216, 180, 90, 255}, {230, 196, 110, 255}, {110, 100, 90, 255}, 0.8f, false, 0.8f, 1.04f},
    {"holvo", {138, 136, 146, 255}, {126, 70, 150, 255}, {236, 200, 80, 255}, {236, 236, 236, 255}, {70, 60, 54, 255}, 0.65f, true, 1.0f, 1.14f},
};

void SetCommon(FigureLook& look)
{
    look.Set(Slot::kSkin, {242, 184, 146, 255});
    look.Set(Slot::kCheek, {238, 142, 118, 255});
    look.Set(Slot::kEye, {40, 30, 30, 255});
    look.Set(Slot::kMouth, {110, 30, 30, 255});
    look.Set(Slot::kBoots, {104, 64, 38, 255});
    look.Set(Slot::kBelt, {92, 56, 32, 255});
    look.Set(Slot::kBuckle, {246, 208, 80, 255}, 0.8f);
    look.Set(Slot::kBoard, {232, 184, 116, 255});
    look.Set(Slot::kMetal, {178, 184, 196, 255}, 1.0f);
    look.Set(Slot::kBell, {250, 214, 72, 255}, 0.9f);
    look.Set(Slot::kPlume, {250, 240, 230, 255});
    look.Set(Slot::kSecond, {80, 160, 80, 255});
}

}  // namespace

FigureLook Dwarf(const std::string& name)
{
    const DwarfColours* colours = &kDwarfs[1];
    for (const DwarfColours& candidate : kDwarfs) {
        if (name == candidate.name) {
            colours = &candidate;
        }
    }
    FigureLook look;
    SetCommon(look);
    look.Set(Slot::kHood, colours->hood);
    look.Set(Slot::kTunic, colours->tunic);
    look.Set(Slot::kTrim, colours->trim);
    look.Set(Slot::kBeard, colours->beard);
    look.Set(Slot::kTrousers, colours->trousers);
    look.beardLength = colours->beardLength;
    look.forkedBeard = colours->forked;
    look.hoodLength = colours->hoodLength;
    look.girth = colours->girth;
    look.pompom = name == "fenno";
    // The snore bubbles of the sleeping animation.
    look.palette.push_back({{214, 236, 252, 255}, 1.0f});
    if (name == "quirn") {
        look.boardLength = 46.0f;
    }
    return look;
}

FigureLook Knight(const std::string& name)
{
    FigureLook look;
    SetCommon(look);
    const bool sharp = name == "scharf";
    look.size = sharp ? 1.45f : 1.4f;
    look.girth = sharp ? 0.98f : 1.12f;
    look.legLength = sharp ? 24.0f : 21.0f;
    look.torsoHeight = 30.0f;
    look.headRadius = 9.5f;
    look.armLength = 24.0f;
    look.beardLength = 0.0f;
    look.armour = true;
    look.head = FigureLook::Head::kHelmet;
    look.boardLength = 30.0f;
    look.Set(Slot::kTunic, sharp ? Rgba{44, 78, 176, 255} : Rgba{190, 44, 40, 255});
    look.Set(Slot::kTrim, sharp ? Rgba{236, 236, 226, 255} : Rgba{246, 204, 70, 255});
    look.Set(Slot::kPlume, sharp ? Rgba{226, 52, 46, 255} : Rgba{250, 216, 70, 255});
    look.Set(Slot::kTrousers, {140, 146, 160, 255}, 0.8f);
    look.Set(Slot::kBoots, {120, 126, 140, 255}, 0.8f);
    look.Set(Slot::kBelt, {80, 50, 30, 255});
    return look;
}

FigureLook Jester()
{
    FigureLook look;
    SetCommon(look);
    look.size = 1.1f;
    look.beardLength = 0.0f;
    look.girth = 0.9f;
    look.head = FigureLook::Head::kJesterCap;
    look.motley = true;
    look.held = FigureLook::Held::kNothing;
    look.Set(Slot::kHood, {214, 40, 60, 255});
    look.Set(Slot::kSecond, {250, 204, 50, 255});
    look.Set(Slot::kTunic, {60, 150, 210, 255});
    look.Set(Slot::kTrim, {250, 204, 50, 255});
    look.Set(Slot::kTrousers, {214, 40, 60, 255});
    look.Set(Slot::kBeard, {120, 70, 40, 255});
    return look;
}

FigureLook Hunter()
{
    FigureLook look;
    SetCommon(look);
    look.size = 3.0f;
    look.girth = 0.92f;
    look.legLength = 21.0f;
    look.beardLength = 0.45f;
    look.head = FigureLook::Head::kHuntersHat;
    look.held = FigureLook::Held::kMusket;
    look.Set(Slot::kHood, {58, 104, 48, 255});
    look.Set(Slot::kTunic, {76, 132, 60, 255});
    look.Set(Slot::kTrim, {150, 110, 60, 255});
    look.Set(Slot::kTrousers, {120, 90, 56, 255});
    look.Set(Slot::kBeard, {90, 60, 40, 255});
    look.Set(Slot::kPlume, {240, 110, 40, 255});
    look.Set(Slot::kSecond, {226, 224, 216, 255});
    look.Set(Slot::kBoard, {130, 80, 44, 255});
    look.Set(Slot::kMetal, {90, 94, 104, 255}, 0.9f);
    return look;
}

FigureLook Queen()
{
    FigureLook look;
    SetCommon(look);
    look.girth = 1.05f;
    look.beardLength = 0.0f;
    look.head = FigureLook::Head::kCrown;
    look.held = FigureLook::Held::kNothing;
    look.Set(Slot::kHood, {120, 62, 34, 255});
    look.Set(Slot::kTunic, {170, 40, 120, 255});
    look.Set(Slot::kTrim, {250, 240, 226, 255});
    look.Set(Slot::kTrousers, {170, 40, 120, 255});
    look.Set(Slot::kBoots, {150, 30, 100, 255});
    look.Set(Slot::kBeard, {120, 62, 34, 255});
    look.Set(Slot::kPlume, {60, 170, 220, 255}, 0.8f);
    look.Set(Slot::kMouth, {190, 50, 60, 255});
    return look;
}

}  // namespace figure_looks
