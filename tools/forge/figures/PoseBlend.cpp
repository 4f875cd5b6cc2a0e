#include "figures/PoseBlend.h"

namespace {

float Mix(float a, float b, float t) { return a + (b - a) * t; }

FigurePose::Limb MixLimb(const FigurePose::Limb& a, const FigurePose::Limb& b, float t)
{
    return {Mix(a.swing, b.swing, t), Mix(a.spread, b.spread, t), Mix(a.bend, b.bend, t)};
}

}  // namespace

FigurePose BlendPoses(const FigurePose& from, const FigurePose& to, float t)
{
    FigurePose pose = t < 0.5f ? from : to;
    pose.offset = Lerp(from.offset, to.offset, t);
    pose.fall = Mix(from.fall, to.fall, t);
    pose.lean = Mix(from.lean, to.lean, t);
    pose.roll = Mix(from.roll, to.roll, t);
    pose.twist = Mix(from.twist, to.twist, t);
    pose.hipDrop = Mix(from.hipDrop, to.hipDrop, t);
    pose.headPitch = Mix(from.headPitch, to.headPitch, t);
    pose.headYaw = Mix(from.headYaw, to.headYaw, t);
    pose.headRoll = Mix(from.headRoll, to.headRoll, t);
    for (int i = 0; i < 2; ++i) {
        pose.arms[i] = MixLimb(from.arms[i], to.arms[i], t);
        pose.legs[i] = MixLimb(from.legs[i], to.legs[i], t);
    }
    pose.boardPitch = Mix(from.boardPitch, to.boardPitch, t);
    pose.boardScale = Mix(from.boardScale, to.boardScale, t);
    pose.mouthOpen = Mix(from.mouthOpen, to.mouthOpen, t);
    pose.breath = Mix(from.breath, to.breath, t);
    return pose;
}
