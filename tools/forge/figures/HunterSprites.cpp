#include "figures/HunterSprites.h"

#include <cmath>
#include <string>

#include "core/BmpEncoder.h"
#include "core/ForgeOutput.h"
#include "figures/FigureAnimations.h"
#include "figures/FigureLooks.h"
#include "figures/FigureSoundEvents.h"
#include "figures/FigureStripWriter.h"
#include "figures/PoseBlend.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kAimDirections = 11;
constexpr int kCentreDirection = 5;
// Turn per aiming direction: the sweep spans about 80 degrees to either side.
constexpr float kAimStepRadians = 0.27f;
constexpr float kHunterLegUnits = 63.0f;
constexpr int kShotFrames = 6;
const FigureStripWriter::Cell kCell{480, 420, 8, 1.0f};

constexpr int kDoorWidth = 72;
constexpr int kDoorHeight = 100;

FigurePose Carrying()
{
    FigurePose pose = figure_animations::Standing();
    pose.arms[0] = {0.3f, 0.15f, 1.3f};
    pose.boardPitch = 1.3f;
    return pose;
}

FigurePose Aiming(float turn)
{
    FigurePose pose = figure_animations::Standing();
    pose.turn = turn;
    pose.arms[0] = {1.3f, -0.15f, 0.25f};
    pose.boardPitch = 0.02f;
    pose.twoHanded = true;
    pose.headPitch = 0.1f;
    pose.legs[0].swing = -0.12f;
    pose.legs[1].swing = 0.15f;
    return pose;
}

FigurePose AimingUp()
{
    FigurePose pose = Aiming(kPi);
    pose.arms[0] = {2.0f, -0.15f, 0.25f};
    pose.boardPitch = 0.11f;
    pose.headPitch = -0.4f;
    pose.lean = -0.1f;
    return pose;
}

AnimationClip Walk(const char* name, float turn)
{
    AnimationClip clip{name, {}, {}, {{0.0625f, figure_sounds::kStep1}, {0.5625f, figure_sounds::kStep2}}, {}};
    for (int i = 0; i < 8; ++i) {
        FigurePose pose = figure_animations::Walking(static_cast<float>(i) / 8.0f, kHunterLegUnits);
        pose.arms[0] = Carrying().arms[0];
        pose.boardPitch = Carrying().boardPitch;
        pose.turn = turn;
        clip.poses.push_back(pose);
    }
    return clip;
}

AnimationClip Blend(const char* name, const FigurePose& from, const FigurePose& to, int frames)
{
    AnimationClip clip{name, {}, {}, {}, {}};
    for (int i = 0; i < frames; ++i) {
        clip.poses.push_back(BlendPoses(from, to, static_cast<float>(i) / static_cast<float>(frames - 1)));
    }
    return clip;
}

AnimationClip Sweep()
{
    AnimationClip clip{"jaeger_zielen", {}, {}, {}, {}};
    for (int d = 0; d < kAimDirections; ++d) {
        clip.poses.push_back(Aiming(static_cast<float>(d - kCentreDirection) * kAimStepRadians));
    }
    return clip;
}

AnimationClip Shot(const std::string& name, const FigurePose& aim)
{
    AnimationClip clip{name, {}, {}, {}, {}};
    const float shots[kShotFrames] = {0.15f, 0.4f, 0.55f, 0.7f, 0.85f, 1.0f};
    const float recoil[kShotFrames] = {0.0f, 1.0f, 0.6f, 0.3f, 0.1f, 0.0f};
    for (int i = 0; i < kShotFrames; ++i) {
        FigurePose pose = aim;
        pose.shot = shots[i];
        pose.lean -= 0.12f * recoil[i];
        pose.arms[0].swing += 0.15f * recoil[i];
        pose.headPitch -= 0.1f * recoil[i];
        clip.poses.push_back(pose);
    }
    return clip;
}

std::string ShotLabel(int direction)
{
    if (direction < kCentreDirection) {
        return "jaeger_schuss_r_" + std::to_string(direction + 1);
    }
    if (direction == kCentreDirection) {
        return "jaeger_schuss_u_0";
    }
    return "jaeger_schuss_l_" + std::to_string(direction - kCentreDirection);
}

Canvas DoorwayPicture()
{
    Canvas door(kDoorWidth, kDoorHeight);
    const Rgba stone{176, 162, 140, 255}, stoneDark{128, 114, 96, 255}, inside{42, 30, 26, 255}, ink{52, 36, 28, 255};
    for (int y = 0; y < kDoorHeight; ++y) {
        for (int x = 0; x < kDoorWidth; ++x) {
            float dx = static_cast<float>(x) - kDoorWidth * 0.5f + 0.5f;
            float archTop = 30.0f - std::sqrt(std::max(0.0f, 36.0f * 36.0f - dx * dx)) + 6.0f;
            float innerTop = 34.0f - std::sqrt(std::max(0.0f, 27.0f * 27.0f - dx * dx)) + 8.0f;
            if (static_cast<float>(y) < archTop) {
                continue;
            }
            bool opening = std::fabs(dx) < 27.0f && static_cast<float>(y) >= innerTop;
            bool edge = static_cast<float>(y) < archTop + 1.0f || std::fabs(std::fabs(dx) - 27.0f) < 1.0f ||
                        std::fabs(static_cast<float>(y) - innerTop) < 1.0f;
            bool seam = (y / 9 + (x / 12) % 2) % 2 == 0 && y % 9 == 0;
            Rgba colour = opening ? inside : (edge || seam ? stoneDark : stone);
            door.Set(x, y, edge && !opening ? ink : colour);
        }
    }
    return door;
}

Canvas DoorLeafPicture()
{
    Canvas leaf(kDoorWidth, kDoorHeight);
    const Rgba wood{150, 96, 52, 255}, plank{120, 74, 40, 255}, iron{70, 70, 76, 255}, ink{52, 36, 28, 255};
    // Swung inwards against the left jamb, seen almost edge-on.
    for (int y = 18; y < kDoorHeight; ++y) {
        for (int x = 9; x < 21; ++x) {
            bool rim = x == 9 || x == 20 || y == 18 || y == kDoorHeight - 1;
            bool band = y % 30 == 0 || y % 30 == 1;
            leaf.Set(x, y, rim ? ink : (band ? iron : (x % 4 == 0 ? plank : wood)));
        }
    }
    return leaf;
}

Canvas BulletStrip(FigureStripWriter& writer)
{
    FigureLook look = figure_looks::Hunter();
    look.size = 1.0f;
    look.held = FigureLook::Held::kNothing;
    AnimationClip clip{"bullet", {}, {}, {}, {}};
    for (int i = 0; i < 2; ++i) {
        FigurePose pose;
        pose.hidden = true;
        clip.poses.push_back(pose);
        clip.scenery.push_back({Primitive::Sphere({0.0f, 6.0f, 0.0f}, 5.0f + 0.6f * static_cast<float>(i), FigureLook::kMetal)});
    }
    return writer.RenderStrip(look, clip, {20, 20, 2, 1.0f}, 0.0f, 0.0f);
}

}  // namespace

void ForgeHunter(ForgeOutput& output, FigureStripWriter& writer, const char* listPath, const char* directory)
{
    const FigureLook look = figure_looks::Hunter();
    const char* sheet = "characters";
    writer.WriteFacing("jaeger_kommen", sheet, look, Walk("jaeger_kommen", 0.0f), kCell, 0.0f);
    FigurePose facingAway = Carrying();
    facingAway.turn = kPi;
    writer.WriteFacing("jaeger_drehen", sheet, look, Blend("jaeger_drehen", Aiming(0.0f), facingAway, 6), kCell, 0.0f);
    writer.WriteFacing("jaeger_anlegen", sheet, look, Blend("jaeger_anlegen", Carrying(), Aiming(0.0f), 6), kCell, 0.0f);
    writer.WriteFacing("jaeger_zielen", sheet, look, Sweep(), kCell, 0.0f);
    writer.WriteFacing("jaeger_gehen", sheet, look, Walk("jaeger_gehen", kPi), kCell, 0.0f);
    for (int d = 0; d < kAimDirections; ++d) {
        const std::string label = ShotLabel(d);
        writer.WriteFacing(label, sheet, look, Shot(label, Aiming(static_cast<float>(d - kCentreDirection) * kAimStepRadians)),
                           kCell, 0.0f);
    }
    writer.WriteFacing("jaeger_schuss_o_0", sheet, look, Shot("jaeger_schuss_o_0", AimingUp()), kCell, 0.0f);
    writer.WriteStrip("bullet", sheet, BulletStrip(writer), 2, {});

    const std::string base(directory);
    output.WriteBytes(base + "jaeger_tuer1.bmp", bmp::Encode24(DoorwayPicture()));
    output.WriteBytes(base + "jaeger_tuer2.bmp", bmp::Encode24(DoorLeafPicture()));
    output.AddSpriteLine(listPath, "jaeger_tuer1 static jaeger_tuer1 normx");
    output.AddSpriteLine(listPath, "jaeger_tuer2 static jaeger_tuer2 normx");
    output.AddToSheet(sheet, "jaeger_tuer1", DoorwayPicture());
    output.AddToSheet(sheet, "jaeger_tuer2", DoorLeafPicture());
}
