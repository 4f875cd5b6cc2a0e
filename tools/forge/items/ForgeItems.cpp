#include "items/ForgeItems.h"

#include <string>
#include <vector>

#include "core/BmpEncoder.h"
#include "core/ForgeOutput.h"
#include "items/ItemPictures.h"
#include "items/ItemSoundEvents.h"
#include "paint/FrameStrip.h"

namespace {

constexpr const char* kLevelList = "data\\level01\\sprites.txt";
constexpr const char* kLevelSprites = "data\\level01\\sprites\\";
// Labels the settings file names ("animation Name" of the bomb, "spriteName" of the antler).
constexpr const char* kBombLabel = "bomb";
constexpr const char* kAntlerLabel = "geweih";
// Where in the blast the bang sounds: the start of frame 6 of 13, when the blast strikes.
constexpr const char* kBangPosition = "0.46";

void WriteStrip(ForgeOutput& output, const std::string& label, const std::vector<Canvas>& frames)
{
    Canvas strip = StackFrames(frames);
    output.WriteBytes(std::string(kLevelSprites) + label + ".bmp", bmp::Encode8(strip));
    output.AddSpriteLine(kLevelList, label + " anim_rle " + label + " normx " + std::to_string(frames.size()));
    output.AddToSheet("items", label, strip);
}

}  // namespace

void ForgeItems(ForgeOutput& output)
{
    using namespace item_pictures;
    // The three labels the item classes use by default, then one picture per remaining item
    // kind for the settings file to choose.
    WriteStrip(output, "item_pilze_02", {Mushroom()});
    WriteStrip(output, "dizzy_item", {DizzyPotion()});
    WriteStrip(output, "skate_item", {Skate()});
    WriteStrip(output, "item_brett", {WoodenBoard()});
    WriteStrip(output, "item_punkte", {CoinPile()});
    WriteStrip(output, "item_schlaf", {Nightcap()});
    WriteStrip(output, "item_schnell", {WingedBoot()});
    WriteStrip(output, "item_langsam", {Snail()});
    WriteStrip(output, kAntlerLabel, {Antler()});
    std::vector<Canvas> blast;
    for (int frame = 0; frame < kBombFrames; ++frame) {
        blast.push_back(BombFrame(frame));
    }
    WriteStrip(output, kBombLabel, blast);
    output.WriteText(std::string(kLevelSprites) + kBombLabel + "_audioevents.txt",
                     std::string(kBangPosition) + " " + item_sounds::kBombBang + "\n");
}
