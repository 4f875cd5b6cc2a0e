#include "figures/ForgeFigures.h"

#include <string>

#include "core/ForgeOutput.h"
#include "figures/DwarfIcons.h"
#include "figures/FigureAnimations.h"
#include "figures/FigureEffects.h"
#include "figures/FigureLooks.h"
#include "figures/FigureStripWriter.h"
#include "figures/HunterSprites.h"
#include "figures/JesterSprites.h"
#include "figures/QueenSprites.h"

namespace {

const char* const kLevelList = "data\\level01\\sprites.txt";
const char* const kLevelSprites = "data\\level01\\sprites\\";
const char* const kDwarfNames[] = {"fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"};
const char* const kKnightNames[] = {"stumpf", "scharf"};

// The figure is drawn with its cell's bottom edge 20 pixels (times its scale) below its board
// position, so the feet stand 20 pixels above the bottom edge and land on the position.
constexpr int kFootLift = 20;

// quirn's sprite offsets move him by these many pixels per direction; his artwork stands off
// centre the other way so that his feet still land on his position.
constexpr float kQuirnShift[FigureStripWriter::kDirections] = {0.0f, -21.0f, -21.0f, 15.0f, 0.0f, -15.0f, 21.0f, 21.0f};

// Cells fit each state's widest swing (all eight directions of a state share one size);
// quirn's long board and off-centre stance need more room.
FigureStripWriter::Cell DwarfCell(const std::string& clip, bool quirn)
{
    const int extra = quirn ? 60 : 0;
    if (clip == "umfallen") {
        return {210 + extra, 150, kFootLift, 1.0f};
    }
    if (clip == "schlag" || clip == "doppel" || clip == "brett") {
        return {184 + extra, 176, kFootLift, 1.0f};
    }
    if (clip == "taumeln") {
        return {184 + extra, 150, kFootLift, 1.0f};
    }
    return {136 + extra, 150, kFootLift, 1.0f};
}

FigureStripWriter::Cell KnightCell(const std::string& clip)
{
    if (clip == "umfallen") {
        return {300, 210, kFootLift, 1.0f};
    }
    return {220, 210, kFootLift, 1.0f};
}

void ForgeDwarfs(FigureStripWriter& writer)
{
    const std::vector<AnimationClip> clips = figure_animations::Dwarf();
    for (const char* name : kDwarfNames) {
        const FigureLook look = figure_looks::Dwarf(name);
        const bool quirn = std::string(name) == "quirn";
        for (const AnimationClip& clip : clips) {
            writer.WriteTurning(name, name, look, clip, DwarfCell(clip.name, quirn), quirn ? kQuirnShift : nullptr);
        }
    }
}

void ForgeKnights(FigureStripWriter& writer)
{
    const std::vector<AnimationClip> clips = figure_animations::Knight();
    for (const char* name : kKnightNames) {
        const FigureLook look = figure_looks::Knight(name);
        for (const AnimationClip& clip : clips) {
            writer.WriteTurning(name, "knights", look, clip, KnightCell(clip.name));
        }
    }
}

}  // namespace

void ForgeFigures(ForgeOutput& output)
{
    FigureStripWriter writer(output, kLevelList, kLevelSprites);
    ForgeFigureEffects(output, writer, kLevelList, kLevelSprites);
    ForgeDwarfs(writer);
    ForgeDwarfIcons(output, kLevelList, kLevelSprites);
    ForgeKnights(writer);
    ForgeJester(writer);
    ForgeHunter(output, writer, kLevelList, kLevelSprites);
    ForgeQueen(writer);
}
