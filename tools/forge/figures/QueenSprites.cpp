#include "figures/QueenSprites.h"

#include <cmath>

#include "figures/FigureAnimations.h"
#include "figures/FigureLooks.h"
#include "figures/FigureStripWriter.h"
#include "figures/PoseBlend.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kFrames = 8;
constexpr float kSize = 0.9f;
// Drawn top-left at the seat painted on the board: the frame is as wide as the seat, centred on
// it, and she sits on its cushion, her crown and raised hands below the seat's crest.
const FigureStripWriter::Cell kCell{90, 80, 4, 1.0f};

enum SeatSlot : uint8_t { kCushion = FigureLook::kSlotCount, kGilt };

FigureLook QueenOnSeat()
{
    FigureLook look = figure_looks::Queen();
    look.size = kSize;
    look.palette.push_back({{176, 36, 52, 255}, 0.2f});
    look.palette.push_back({{232, 180, 64, 255}, 0.9f});
    return look;
}

// The seat: a gilt frame with a red cushion and a high back, and her long gown over the legs.
std::vector<Primitive> Seat(const FigureLook& look)
{
    const float s = look.size;
    const float hips = 4.0f * s + look.legLength * s * 0.5f;
    std::vector<Primitive> seat;
    seat.push_back(Primitive::Box({0.0f, hips - 5.0f * s, -3.0f * s}, Mat3{}, Vec3{18.0f, 3.0f, 13.0f} * s, kGilt));
    seat.push_back(Primitive::Box({0.0f, hips - 1.5f * s, -2.0f * s}, Mat3{}, Vec3{16.0f, 2.0f, 12.0f} * s, kCushion));
    seat.push_back(Primitive::Box({0.0f, hips + 24.0f * s, -16.0f * s}, Mat3{}, Vec3{19.0f, 30.0f, 2.5f} * s, kGilt));
    seat.push_back(Primitive::Box({0.0f, hips + 24.0f * s, -13.4f * s}, Mat3{}, Vec3{15.0f, 25.0f, 0.6f} * s, kCushion));
    for (float side : {-1.0f, 1.0f}) {
        seat.push_back(Primitive::Sphere({side * 18.0f * s, hips + 55.0f * s, -16.0f * s}, 4.0f * s, kGilt));
        seat.push_back(Primitive::Box({side * 16.0f * s, (hips - 5.0f * s) * 0.5f, -3.0f * s}, Mat3{},
                                      Vec3{2.0f, (hips - 5.0f * s) * 0.5f, 11.0f * s}, kGilt));
    }
    seat.push_back(Primitive::Cone({0.0f, hips + 4.0f * s, 1.0f * s}, 14.0f * s, {0.0f, 1.0f * s, 10.0f * s}, 22.0f * s,
                                   FigureLook::kTunic));
    seat.push_back(Primitive::Cone({0.0f, 2.0f * s, 10.0f * s}, 22.2f * s, {0.0f, 0.0f, 10.5f * s}, 22.4f * s,
                                   FigureLook::kTrim));
    return seat;
}

FigurePose Sitting(const FigureLook& look)
{
    FigurePose pose = figure_animations::Standing();
    pose.hipDrop = look.legLength * look.size * 0.5f;
    pose.legs[0] = {kPi / 2.0f, 0.08f, kPi / 2.0f};
    pose.legs[1] = {kPi / 2.0f, 0.08f, kPi / 2.0f};
    pose.arms[0] = {0.5f, 0.2f, 0.9f};
    pose.arms[1] = {0.5f, 0.2f, 0.9f};
    return pose;
}

AnimationClip Clip(const char* name, const FigureLook& look, const std::vector<FigurePose>& poses)
{
    AnimationClip clip{name, poses, {}, {}, {}};
    for (size_t i = 0; i < poses.size(); ++i) {
        clip.scenery.push_back(Seat(look));
    }
    return clip;
}

std::vector<FigurePose> Chew(const FigurePose& rest)
{
    FigurePose bite = rest;
    bite.arms[1] = {1.0f, -0.45f, 2.2f};
    bite.headPitch = 0.1f;
    std::vector<FigurePose> poses = {rest, BlendPoses(rest, bite, 0.5f)};
    for (int i = 0; i < 5; ++i) {
        FigurePose pose = bite;
        pose.mouthOpen = i % 2 == 0 ? 0.7f : 0.0f;
        pose.headRoll = i % 2 == 0 ? 0.08f : -0.05f;
        poses.push_back(pose);
    }
    poses.push_back(BlendPoses(bite, rest, 0.6f));
    return poses;
}

std::vector<FigurePose> ShakeFist(const FigurePose& rest)
{
    std::vector<FigurePose> poses;
    for (int i = 0; i < kFrames; ++i) {
        FigurePose pose = rest;
        float up = i == 0 ? 0.0f : 1.0f;
        pose.arms[1] = {rest.arms[1].swing + up * (2.0f + 0.3f * std::sin(static_cast<float>(i) * 2.2f)), 0.3f, 0.9f};
        pose.lean = 0.18f * up;
        pose.mouthOpen = up * (i % 2 == 0 ? 1.0f : 0.5f);
        pose.headPitch = -0.1f * up;
        poses.push_back(pose);
    }
    return poses;
}

std::vector<FigurePose> Despair(const FigurePose& rest)
{
    std::vector<FigurePose> poses;
    for (int i = 0; i < kFrames; ++i) {
        FigurePose pose = rest;
        float up = i == 0 ? 0.0f : 1.0f;
        pose.arms[0] = {rest.arms[0].swing + up * 1.3f, 0.2f + up * 1.0f, 0.4f};
        pose.arms[1] = {rest.arms[1].swing + up * 1.3f, 0.2f + up * 1.0f, 0.4f};
        pose.headYaw = up * 0.45f * std::sin(static_cast<float>(i) * 1.6f);
        pose.headPitch = -0.2f * up;
        pose.mouthOpen = up * 0.8f;
        poses.push_back(pose);
    }
    return poses;
}

std::vector<FigurePose> Clap(const FigurePose& rest)
{
    std::vector<FigurePose> poses;
    for (int i = 0; i < kFrames; ++i) {
        FigurePose pose = rest;
        bool together = i % 2 == 1;
        float spread = together ? -0.32f : 0.05f;
        pose.arms[0] = {1.25f, spread, 0.55f};
        pose.arms[1] = {1.25f, spread, 0.55f};
        pose.mouthOpen = 0.6f;
        pose.headRoll = together ? 0.1f : -0.1f;
        pose.offset.y = together ? 1.0f : 0.0f;
        poses.push_back(i == 0 ? rest : pose);
    }
    return poses;
}

}  // namespace

void ForgeQueen(FigureStripWriter& writer)
{
    const FigureLook look = QueenOnSeat();
    const FigurePose rest = Sitting(look);
    writer.WriteFacing("queen_chew", "characters", look, Clip("queen_chew", look, Chew(rest)), kCell, 0.0f);
    writer.WriteFacing("queen_complain1", "characters", look, Clip("queen_complain1", look, ShakeFist(rest)), kCell, 0.0f);
    writer.WriteFacing("queen_complain2", "characters", look, Clip("queen_complain2", look, Despair(rest)), kCell, 0.0f);
    writer.WriteFacing("queen_clap", "characters", look, Clip("queen_clap", look, Clap(rest)), kCell, 0.0f);
}
