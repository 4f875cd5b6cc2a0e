#include "figures/FigureAnimations.h"

#include <algorithm>
#include <cmath>

#include "figures/FigureLook.h"
#include "figures/FigureSoundEvents.h"
#include "figures/PoseBlend.h"

namespace figure_animations {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kDwarfLeg = 18.0f;
constexpr float kKnightLeg = 28.0f;
constexpr int kLyingHoldFrames = 14;
constexpr uint8_t kBubbleSlot = FigureLook::kSlotCount;

FigurePose Raised()
{
    FigurePose pose = Standing();
    pose.arms[0] = {2.75f, 0.15f, 0.7f};
    pose.arms[1] = {0.5f, 0.35f, 0.6f};
    pose.boardPitch = 0.5f;
    pose.lean = -0.12f;
    pose.twist = -0.3f;
    pose.headPitch = -0.1f;
    pose.legs[0].swing = -0.15f;
    pose.legs[1].swing = 0.2f;
    return pose;
}

FigurePose Impact()
{
    FigurePose pose = Standing();
    pose.arms[0] = {1.45f, 0.05f, 0.05f};
    pose.arms[1] = {-0.3f, 0.4f, 0.4f};
    pose.boardPitch = 0.35f;
    pose.lean = 0.3f;
    pose.twist = 0.28f;
    pose.headPitch = 0.1f;
    pose.legs[0].swing = -0.3f;
    pose.legs[1] = {0.4f, 0.0f, 0.3f};
    pose.offset.y = -1.5f;
    pose.mouthOpen = 0.5f;
    return pose;
}

FigurePose FollowThrough()
{
    FigurePose pose = Impact();
    pose.arms[0] = {0.55f, 0.1f, 0.2f};
    pose.boardPitch = 0.5f;
    pose.lean = 0.35f;
    pose.twist = 0.35f;
    pose.mouthOpen = 0.0f;
    return pose;
}

// Strike clip: frames raise, hold high, swing, land at hitFrame, follow through and recover.
AnimationClip Strike(const char* name, int windUpFrames, bool twoHanded, float boardScale, const char* swish,
                     float swishPosition)
{
    FigurePose rest = Standing();
    FigurePose raised = Raised();
    FigurePose impact = Impact();
    FigurePose follow = FollowThrough();
    for (FigurePose* pose : {&rest, &raised, &impact, &follow}) {
        pose->twoHanded = twoHanded;
        pose->boardScale = boardScale;
    }
    if (twoHanded) {
        // The long board is held higher so that it stays clear of the ground.
        raised.twist = -0.1f;
        impact.twist = 0.05f;
        follow.twist = 0.05f;
        rest.boardPitch = 1.25f;
        follow.boardPitch = 1.0f;
    }
    AnimationClip clip{name, {}, {}, {{swishPosition, swish}}, {}};
    for (int i = 0; i < windUpFrames; ++i) {
        float t = std::min(1.0f, static_cast<float>(i + 1) / static_cast<float>(std::max(1, windUpFrames - 1)));
        clip.poses.push_back(BlendPoses(rest, raised, t));
    }
    clip.poses.push_back(BlendPoses(raised, impact, 0.5f));
    clip.poses.push_back(impact);
    clip.poses.push_back(follow);
    clip.poses.push_back(BlendPoses(follow, rest, 0.4f));
    clip.poses.push_back(BlendPoses(follow, rest, 0.75f));
    clip.poses.push_back(rest);
    return clip;
}

AnimationClip Run(float legLength, const char* step1, const char* step2)
{
    AnimationClip clip{"run", {}, {}, {{0.0625f, step1}, {0.5625f, step2}}, {}};
    for (int i = 0; i < 8; ++i) {
        clip.poses.push_back(Walking(static_cast<float>(i) / 8.0f, legLength));
    }
    return clip;
}

AnimationClip Stop(float legLength)
{
    AnimationClip clip{"stop", {}, {}, {}, {}};
    for (int i = 1; i <= 4; ++i) {
        clip.poses.push_back(BlendPoses(Walking(0.25f, legLength), Standing(), static_cast<float>(i) / 4.0f));
    }
    return clip;
}

AnimationClip Start(float legLength)
{
    AnimationClip clip{"start", {}, {}, {}, {}};
    for (int i = 0; i < 4; ++i) {
        clip.poses.push_back(BlendPoses(Standing(), Walking(0.0f, legLength), static_cast<float>(i) / 4.0f));
    }
    return clip;
}

// Bubbles rising from a sleeper's head and swelling as they go (the same from every side).
std::vector<Primitive> SnoreBubbles(float phase)
{
    std::vector<Primitive> bubbles;
    for (int k = 0; k < 3; ++k) {
        float t = std::fmod(phase + static_cast<float>(k) / 3.0f, 1.0f);
        Vec3 at{11.0f + 9.0f * t, 54.0f + 30.0f * t, 10.0f};
        bubbles.push_back(Primitive::Sphere(at, 1.5f + 3.5f * t, kBubbleSlot));
    }
    return bubbles;
}

AnimationClip Sleep()
{
    AnimationClip clip{"schlaf", {}, {}, {}, {}};
    for (int i = 0; i < 8; ++i) {
        float breath = std::sin(2.0f * kPi * static_cast<float>(i) / 8.0f);
        FigurePose pose = Standing();
        pose.hipDrop = kDwarfLeg - 2.0f;
        pose.legs[0] = {1.45f, 0.3f, 0.15f};
        pose.legs[1] = {1.35f, 0.25f, 0.3f};
        pose.lean = -0.22f + 0.03f * breath;
        pose.headPitch = 0.55f - 0.06f * breath;
        pose.headRoll = 0.2f;
        pose.arms[0] = {0.35f, 0.45f, 0.3f};
        pose.arms[1] = {0.6f, 0.15f, 0.9f};
        pose.boardPitch = 1.3f;
        pose.eyesClosed = true;
        pose.breath = breath;
        pose.mouthOpen = breath > 0.3f ? 0.35f : 0.0f;
        clip.poses.push_back(pose);
        clip.scenery.push_back(SnoreBubbles(static_cast<float>(i) / 8.0f));
    }
    return clip;
}

AnimationClip Hit()
{
    FigurePose recoil = Standing();
    recoil.lean = -0.4f;
    recoil.headPitch = -0.45f;
    recoil.headRoll = 0.25f;
    recoil.arms[0] = {0.9f, 0.9f, 0.6f};
    recoil.arms[1] = {1.1f, 1.0f, 0.5f};
    recoil.legs[0] = {0.45f, 0.1f, 0.5f};
    recoil.offset.z = -3.0f;
    recoil.eyesClosed = true;
    recoil.mouthOpen = 0.8f;
    AnimationClip clip{"getroffen", {}, {}, {}, {}};
    for (float t : {0.55f, 1.0f, 0.9f, 0.6f, 0.3f}) {
        clip.poses.push_back(BlendPoses(Standing(), recoil, t));
    }
    return clip;
}

AnimationClip Reel()
{
    AnimationClip clip{"taumeln", {}, {}, {}, {}};
    for (int i = 0; i < 8; ++i) {
        float a = 2.0f * kPi * static_cast<float>(i) / 8.0f;
        FigurePose pose = Standing();
        pose.roll = 0.24f * std::sin(a);
        pose.lean = 0.14f * std::cos(a);
        pose.headRoll = 0.35f * std::sin(a + 0.7f);
        pose.headPitch = 0.15f + 0.1f * std::cos(a);
        pose.arms[0] = {0.5f + 0.3f * std::cos(a), 0.7f + 0.25f * std::sin(a), 0.5f};
        pose.arms[1] = {0.4f - 0.3f * std::cos(a), 0.9f - 0.25f * std::sin(a), 0.4f};
        pose.legs[0] = {0.15f * std::sin(a), 0.12f, 0.2f};
        pose.legs[1] = {-0.15f * std::sin(a), 0.12f, 0.2f};
        pose.offset = {2.5f * std::sin(a), -1.0f, 1.5f * std::cos(a)};
        pose.eyesClosed = i % 4 < 2;
        pose.mouthOpen = 0.3f;
        clip.poses.push_back(pose);
    }
    return clip;
}

AnimationClip Fall(float backDepth)
{
    FigurePose lying = Standing();
    lying.arms[0] = {0.4f, 1.3f, 0.1f};
    lying.boardPitch = 0.15f;
    lying.arms[1] = {0.4f, 1.3f, 0.3f};
    lying.legs[0] = {0.1f, 0.15f, 0.0f};
    lying.legs[1] = {0.25f, 0.1f, 0.2f};
    lying.headPitch = -0.2f;
    lying.eyesClosed = true;
    AnimationClip clip{"umfallen", {}, {}, {}, {}};
    const float falls[8] = {0.12f, 0.32f, 0.62f, 1.0f, 1.4f, 1.57f, 1.47f, 1.57f};
    for (int i = 0; i < 8; ++i) {
        FigurePose pose = BlendPoses(Standing(), lying, std::min(1.0f, static_cast<float>(i) / 4.0f));
        pose.fall = falls[i];
        pose.offset.y += backDepth * std::sin(falls[i]) + (i == 6 ? 2.0f : 0.0f);
        pose.mouthOpen = i < 4 ? 0.7f : 0.0f;
        clip.poses.push_back(pose);
    }
    for (int i = 0; i < 8 + kLyingHoldFrames; ++i) {
        clip.table.push_back(std::min(i, 7));
    }
    return clip;
}

AnimationClip Check()
{
    FigurePose call = Standing();
    call.arms[1] = {2.9f, 0.25f, 0.2f};
    call.headPitch = -0.3f;
    call.lean = -0.1f;
    call.mouthOpen = 1.0f;
    call.offset.y = 2.5f;
    call.legs[0].bend = 0.2f;
    call.legs[1].bend = 0.2f;
    AnimationClip clip{"schach", {}, {}, {}, {}};
    const float amounts[8] = {0.0f, 0.45f, 0.85f, 1.0f, 1.0f, 1.0f, 0.6f, 0.2f};
    for (int i = 0; i < 8; ++i) {
        FigurePose pose = BlendPoses(Standing(), call, amounts[i]);
        pose.arms[1].spread += (i == 4 ? 0.18f : 0.0f);
        pose.offset.y = (i >= 3 && i <= 5) ? 2.5f * (i == 4 ? 1.0f : 0.5f) : 0.0f;
        clip.poses.push_back(pose);
    }
    return clip;
}

AnimationClip RaiseBoard()
{
    AnimationClip clip{"brett", {}, {}, {}, {}};
    for (int i = 0; i < 5; ++i) {
        clip.poses.push_back(BlendPoses(Standing(), Raised(), static_cast<float>(i + 1) / 5.0f));
    }
    return clip;
}

AnimationClip Idle()
{
    FigurePose left = Standing();
    left.headYaw = 0.7f;
    left.twist = 0.1f;
    FigurePose right = Standing();
    right.headYaw = -0.7f;
    right.twist = -0.1f;
    FigurePose scratch = Standing();
    scratch.arms[1] = {1.2f, -0.15f, 2.2f};
    scratch.headPitch = -0.1f;
    scratch.headRoll = -0.15f;
    AnimationClip clip{"idle", {}, {}, {}, {}};
    const FigurePose rest = Standing();
    clip.poses = {rest, BlendPoses(rest, left, 0.5f), left, left, BlendPoses(rest, right, 0.5f), right, right,
                  BlendPoses(rest, scratch, 0.6f), scratch, BlendPoses(scratch, rest, 0.1f), scratch, BlendPoses(rest, scratch, 0.4f)};
    return clip;
}

}  // namespace

FigurePose Standing()
{
    FigurePose pose;
    pose.arms[0] = {0.15f, 0.3f, 0.35f};
    pose.arms[1] = {0.05f, 0.1f, 0.2f};
    pose.boardPitch = 0.45f;
    pose.legs[0].spread = 0.04f;
    pose.legs[1].spread = 0.04f;
    return pose;
}

FigurePose Walking(float phase, float legLength)
{
    const float a = 2.0f * kPi * phase;
    const float stride = 0.5f;
    FigurePose pose = Standing();
    pose.legs[0] = {stride * std::sin(a), 0.03f, 0.75f * std::max(0.0f, std::cos(a))};
    pose.legs[1] = {-stride * std::sin(a), 0.03f, 0.75f * std::max(0.0f, -std::cos(a))};
    pose.arms[1] = {0.45f * std::sin(a), 0.12f, 0.35f};
    pose.arms[0].swing = 0.15f - 0.2f * std::sin(a);
    pose.lean = 0.1f;
    pose.twist = 0.08f * std::sin(a);
    pose.headPitch = -0.06f;
    pose.offset.y = -legLength * (1.0f - std::cos(stride * std::sin(a))) + 1.2f * std::fabs(std::cos(a));
    return pose;
}

std::vector<AnimationClip> Dwarf()
{
    return {Run(kDwarfLeg, figure_sounds::kStep1, figure_sounds::kStep2),
            Sleep(),
            Stop(kDwarfLeg),
            Start(kDwarfLeg),
            Strike("schlag", 3, false, 1.0f, figure_sounds::kSwish, 0.36f),
            Hit(),
            Reel(),
            Fall(11.0f),
            Check(),
            RaiseBoard(),
            Strike("doppel", 3, true, 1.45f, figure_sounds::kSwishHeavy, 0.36f),
            Idle()};
}

std::vector<AnimationClip> Knight()
{
    return {Run(kKnightLeg, figure_sounds::kKnightStep1, figure_sounds::kKnightStep2), Stop(kKnightLeg), Start(kKnightLeg),
            Strike("schlag", 5, false, 1.0f, figure_sounds::kSwishHeavy, 0.6f), Fall(16.0f)};
}

}  // namespace figure_animations
