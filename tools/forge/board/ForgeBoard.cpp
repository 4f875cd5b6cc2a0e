#include "board/ForgeBoard.h"

#include <string>

#include "board/BoardScene.h"
#include "core/BmpEncoder.h"
#include "core/ForgeOutput.h"
#include "paint/FrameStrip.h"

namespace {

constexpr const char* kLevelList = "data\\level01\\sprites.txt";
constexpr const char* kLevelSprites = "data\\level01\\sprites\\";

void WriteStatic(ForgeOutput& output, const std::string& label, const Canvas& picture)
{
    output.WriteBytes(std::string(kLevelSprites) + label + ".bmp", bmp::Encode24(picture));
    output.AddSpriteLine(kLevelList, label + " static " + label + " normx");
    output.AddToSheet("board", label, picture);
}

void WriteAnim(ForgeOutput& output, const std::string& label, const std::vector<Canvas>& frames)
{
    Canvas strip = StackFrames(frames);
    output.WriteBytes(std::string(kLevelSprites) + label + ".bmp", bmp::Encode24(strip));
    output.AddSpriteLine(kLevelList, label + " anim " + label + " normx " + std::to_string(frames.size()));
    output.AddToSheet("board", label, strip);
}

}  // namespace

void ForgeBoard(ForgeOutput& output)
{
    BoardScene scene;
    WriteStatic(output, "background", scene.Background());
    for (const board::Placement& mask : board::kMasks) {
        WriteStatic(output, mask.label, scene.CutMask(mask));
    }
    WriteAnim(output, board::kChimneyAnim.label, scene.SmokeFrames());
    WriteAnim(output, board::kWaterAnim.label, scene.WaterFrames());
    WriteAnim(output, board::kForestAnim.label, scene.ForestFrames());
}
