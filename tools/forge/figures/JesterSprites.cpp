#include "figures/JesterSprites.h"

#include <cmath>

#include "figures/FigureAnimations.h"
#include "figures/FigureLooks.h"
#include "figures/FigureSoundEvents.h"
#include "figures/FigureStripWriter.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kAppearFrames = 10;
constexpr int kJokeFrames = 12;
constexpr float kHiddenDepth = -80.0f;
constexpr float kStandingHeight = 5.0f;
const FigureStripWriter::Cell kCell{150, 176, 20, 1.0f};

enum BushSlot : uint8_t { kLeaf = FigureLook::kSlotCount, kLeafShade, kBerry };

FigureLook JesterWithBush()
{
    FigureLook look = figure_looks::Jester();
    look.palette.push_back({{92, 162, 58, 255}, 0.0f});
    look.palette.push_back({{58, 122, 48, 255}, 0.0f});
    look.palette.push_back({{222, 54, 64, 255}, 0.6f});
    return look;
}

// A round shrub about a dwarf wide; shake moves its leaves a little.
std::vector<Primitive> Bush(float shake)
{
    struct Clump {
        float x, y, z, r;
        uint8_t slot;
    };
    const Clump clumps[] = {
        {-26, 14, -6, 15, kLeafShade}, {26, 14, -6, 15, kLeafShade}, {0, 22, -14, 18, kLeafShade}, {-18, 26, 2, 16, kLeaf},
        {18, 26, 2, 16, kLeaf},        {-30, 10, 12, 12, kLeaf},     {30, 10, 12, 12, kLeaf},      {-12, 12, 18, 14, kLeaf},
        {12, 12, 18, 14, kLeaf},       {0, 30, 4, 13, kLeaf},
    };
    std::vector<Primitive> bush;
    for (size_t i = 0; i < std::size(clumps); ++i) {
        const Clump& c = clumps[i];
        float wobble = shake * std::sin(static_cast<float>(i) * 2.3f);
        bush.push_back(Primitive::Ellipsoid({c.x + wobble, c.y * 0.8f + std::fabs(wobble) * 0.5f, c.z}, Mat3{}, {c.r, c.r * 0.85f, c.r}, c.slot));
    }
    const float berries[][3] = {{-20, 20, 25}, {8, 16, 30}, {24, 24, 16}, {-6, 34, 16}, {-34, 14, 20}};
    for (const auto& b : berries) {
        bush.push_back(Primitive::Sphere({b[0], b[1] * 0.8f, b[2]}, 2.6f, kBerry));
    }
    return bush;
}

FigurePose Ready()
{
    FigurePose pose = figure_animations::Standing();
    pose.arms[0] = {0.4f, 0.5f, 0.6f};
    pose.arms[1] = {0.4f, 0.5f, 0.6f};
    return pose;
}

AnimationClip Appear()
{
    AnimationClip clip{"hofnarr_appear", {}, {}, {}, {}};
    FigurePose flourish = Ready();
    flourish.arms[0] = {2.4f, 0.9f, 0.3f};
    flourish.arms[1] = {2.4f, 0.9f, 0.3f};
    flourish.mouthOpen = 0.8f;
    for (int f = 0; f < kAppearFrames; ++f) {
        float t = static_cast<float>(f) / static_cast<float>(kAppearFrames - 1);
        FigurePose pose = f == 0 ? Ready() : (f >= kAppearFrames - 2 ? flourish : Ready());
        pose.hidden = f == 0;
        pose.offset = {0.0f, kStandingHeight + (kHiddenDepth - kStandingHeight) * std::pow(1.0f - t, 1.4f), -2.0f};
        clip.poses.push_back(pose);
        clip.scenery.push_back(Bush(f == 0 || f == kAppearFrames - 1 ? 0.0f : 1.8f * std::sin(static_cast<float>(f) * 1.9f)));
    }
    return clip;
}

AnimationClip Joke(const char* name, float turn)
{
    AnimationClip clip{name, {}, {}, {{0.05f, figure_sounds::kJesterBells}}, {}};
    for (int f = 0; f < kJokeFrames; ++f) {
        float a = 2.0f * kPi * static_cast<float>(f) / 6.0f;
        FigurePose pose = Ready();
        pose.turn = turn;
        pose.offset = {0.0f, kStandingHeight + 1.5f * std::fabs(std::sin(a)), -2.0f};
        pose.arms[0] = {1.1f + 0.8f * std::sin(a), 0.6f, 0.5f};
        pose.arms[1] = {1.1f - 0.8f * std::sin(a), 0.6f, 0.5f};
        pose.headRoll = 0.25f * std::sin(2.0f * a);
        pose.lean = 0.12f * std::sin(a);
        pose.mouthOpen = f % 2 == 0 ? 0.9f : 0.3f;
        if (f >= 5 && f <= 7) {
            pose.arms[0] = {2.7f, 0.5f, 0.2f};
            pose.arms[1] = {2.7f, 0.5f, 0.2f};
            pose.lean = -0.2f;
            pose.headPitch = -0.3f;
            pose.mouthOpen = 1.0f;
            pose.eyesClosed = true;
        }
        clip.poses.push_back(pose);
        clip.scenery.push_back(Bush(0.0f));
    }
    return clip;
}

AnimationClip Searching()
{
    // Frames 0, 5 and 10 face south, 2 west and 7 east (the jester may only leave facing south).
    const float turns[kJokeFrames] = {0.0f, -0.8f, -1.57f, -0.8f, -0.25f, 0.0f, 0.8f, 1.57f, 0.8f, 0.25f, 0.0f, 0.0f};
    AnimationClip clip{"hofnarr_searching", {}, {}, {}, {}};
    for (int f = 0; f < kJokeFrames; ++f) {
        FigurePose pose = Ready();
        pose.turn = turns[f];
        pose.offset = {0.0f, kStandingHeight, -2.0f};
        pose.arms[1] = {2.1f, 0.15f, 1.9f};
        pose.headPitch = -0.1f;
        clip.poses.push_back(pose);
        clip.scenery.push_back(Bush(0.0f));
    }
    return clip;
}

}  // namespace

void ForgeJester(FigureStripWriter& writer)
{
    const FigureLook look = JesterWithBush();
    writer.WriteFacing("hofnarr_appear", "characters", look, Appear(), kCell, 0.0f);
    writer.WriteFacing("hofnarr_joke_S", "characters", look, Joke("hofnarr_joke_S", 0.0f), kCell, 0.0f);
    writer.WriteFacing("hofnarr_joke_E", "characters", look, Joke("hofnarr_joke_E", kPi / 2.0f), kCell, 0.0f);
    writer.WriteFacing("hofnarr_joke_W", "characters", look, Joke("hofnarr_joke_W", -kPi / 2.0f), kCell, 0.0f);
    writer.WriteFacing("hofnarr_searching", "characters", look, Searching(), kCell, 0.0f);
}
