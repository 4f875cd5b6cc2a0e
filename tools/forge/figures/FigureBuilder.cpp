#include "figures/FigureBuilder.h"

#include <algorithm>
#include <cmath>

namespace {

using Slot = FigureLook::Slot;

Vec3 Down(float length) { return {0.0f, -length, 0.0f}; }

// A point of a frame given in its own coordinates.
Vec3 At(Vec3 origin, const Mat3& turn, Vec3 local) { return origin + turn * local; }

}  // namespace

void FigureBuilder::Add(Primitive primitive)
{
    primitive.a = ToBody(primitive.a);
    primitive.b = ToBody(primitive.b);
    for (Vec3& axis : primitive.axes) {
        axis = bodyTurn * axis;
    }
    out->push_back(primitive);
}

Vec3 FigureBuilder::ToBody(Vec3 p) const { return pose->offset + bodyTurn * p; }

void FigureBuilder::Build(const FigureLook& figureLook, const FigurePose& figurePose, std::vector<Primitive>& model)
{
    look = &figureLook;
    pose = &figurePose;
    out = &model;
    model.clear();
    if (pose->hidden) {
        return;
    }
    bodyTurn = Mat3::RotY(pose->turn) * Mat3::RotX(-pose->fall);

    const float s = look->size;
    Frame pelvis{{0.0f, 4.0f * s + look->legLength * s - pose->hipDrop, 0.0f}, Mat3{}};
    AddLegs();
    Mat3 spine = Mat3::RotX(pose->lean) * Mat3::RotZ(-pose->roll) * Mat3::RotY(pose->twist);
    Frame upper{pelvis.at, spine};
    AddBody(upper);
    Frame chest{At(pelvis.at, spine, {0.0f, look->torsoHeight * s * 0.86f, 0.0f}), spine};
    Frame hand = AddArm(chest, 0);
    Vec3 grip = AddHeld(hand);
    if (pose->twoHanded) {
        AddLeftArmTo(chest, grip);
    } else {
        AddArm(chest, 1);
    }
    Mat3 headTurn = spine * Mat3::RotX(pose->headPitch) * Mat3::RotY(pose->headYaw) * Mat3::RotZ(-pose->headRoll);
    float r = look->headRadius * s;
    AddHead({At(pelvis.at, spine, {0.0f, look->torsoHeight * s + r * 0.72f, 0.0f}), headTurn});
}

void FigureBuilder::AddLegs()
{
    const float s = look->size;
    const float half = look->legLength * s * 0.5f;
    const float radius = look->limbRadius * s;
    Vec3 hips{0.0f, 4.0f * s + look->legLength * s - pose->hipDrop, 0.0f};
    for (int side = 0; side < 2; ++side) {
        const float sign = side == 0 ? -1.0f : 1.0f;
        const FigurePose::Limb& leg = pose->legs[side];
        Vec3 hip = hips + Vec3{sign * 6.0f * s * look->girth, 0.0f, 0.0f};
        Mat3 thigh = Mat3::RotZ(sign * leg.spread) * Mat3::RotX(-leg.swing);
        Vec3 knee = At(hip, thigh, Down(half));
        Mat3 shin = thigh * Mat3::RotX(leg.bend);
        Vec3 ankle = At(knee, shin, Down(half));
        Add(Primitive::Capsule(hip, knee, radius * 1.12f, Slot::kTrousers));
        Add(Primitive::Capsule(knee, ankle, radius, Slot::kTrousers));
        Add(Primitive::Capsule(At(knee, shin, Down(half * 0.45f)), ankle, radius * 1.18f, Slot::kBoots));
        if (look->armour) {
            Add(Primitive::Sphere(knee + Vec3{0.0f, 0.0f, radius * 0.4f}, radius * 1.25f, Slot::kMetal));
        }
        Mat3 foot = Mat3::RotX(-(leg.swing - leg.bend) * 0.35f);
        Add(Primitive::Ellipsoid(At(ankle, foot, {0.0f, -1.0f * s, 2.6f * s}), foot, Vec3{4.4f, 3.3f, 6.8f} * s,
                                 Slot::kBoots));
    }
}

void FigureBuilder::AddBody(const Frame& pelvis)
{
    const float s = look->size;
    const float g = look->girth * s;
    const float h = look->torsoHeight * s;
    const float swell = 1.0f + 0.035f * pose->breath;
    const Mat3& t = pelvis.turn;
    Add(Primitive::Ellipsoid(At(pelvis.at, t, {0.0f, h * 0.5f, 0.0f}), t, Vec3{13.0f * g * swell, h * 0.56f, 10.5f * g * swell},
                             Slot::kTunic));
    if (look->skirt) {
        Add(Primitive::Cone(At(pelvis.at, t, {0.0f, 7.0f * s, 0.0f}), 13.2f * g, At(pelvis.at, t, {0.0f, -6.0f * s, 0.0f}),
                            15.2f * g, Slot::kTunic));
        Add(Primitive::Cone(At(pelvis.at, t, {0.0f, -5.0f * s, 0.0f}), 15.3f * g, At(pelvis.at, t, {0.0f, -7.5f * s, 0.0f}),
                            15.7f * g, Slot::kTrim));
    }
    if (look->armour) {
        Add(Primitive::Ellipsoid(At(pelvis.at, t, {0.0f, h * 0.62f, 2.0f * s}), t, Vec3{12.0f * g, h * 0.36f, 10.0f * g},
                                 Slot::kMetal));
    }
    if (look->motley) {
        AddCollar(pelvis);
    }
    Add(Primitive::Ellipsoid(At(pelvis.at, t, {0.0f, 7.0f * s, 0.0f}), t, Vec3{13.8f * g, 3.0f * s, 11.2f * g}, Slot::kBelt));
    Add(Primitive::Box(At(pelvis.at, t, {0.0f, 7.0f * s, 10.9f * g}), t, Vec3{3.2f, 2.6f, 1.0f} * s, Slot::kBuckle));
}

void FigureBuilder::AddCollar(const Frame& pelvis)
{
    // Points hanging from the neck all round, alternating colours, a bell on each tip.
    const float s = look->size;
    const float h = look->torsoHeight * s;
    constexpr int kPoints = 8;
    for (int i = 0; i < kPoints; ++i) {
        float a = 6.2831853f * (static_cast<float>(i) + 0.5f) / kPoints;
        Vec3 outwards{std::sin(a), 0.0f, std::cos(a)};
        Vec3 base = At(pelvis.at, pelvis.turn, Vec3{0.0f, h * 0.98f, 0.0f} + outwards * (7.0f * s));
        Vec3 tip = At(pelvis.at, pelvis.turn, Vec3{0.0f, h * 0.72f, 0.0f} + outwards * (15.0f * s * look->girth));
        Add(Primitive::Cone(base, 4.5f * s, tip, 1.0f * s, i % 2 == 0 ? Slot::kHood : Slot::kSecond));
        Add(Primitive::Sphere(tip, 1.8f * s, Slot::kBell));
    }
}

FigureBuilder::Frame FigureBuilder::AddArm(const Frame& chest, int side)
{
    const float s = look->size;
    const float sign = side == 0 ? -1.0f : 1.0f;
    const FigurePose::Limb& arm = pose->arms[side];
    const float radius = look->limbRadius * s;
    Vec3 shoulder = At(chest.at, chest.turn, {sign * 12.5f * s * look->girth, -2.0f * s, 0.0f});
    Mat3 upper = chest.turn * Mat3::RotX(-arm.swing) * Mat3::RotZ(sign * (arm.spread + 0.12f));
    Vec3 elbow = At(shoulder, upper, Down(look->armLength * s * 0.5f));
    Mat3 lower = upper * Mat3::RotX(-arm.bend);
    Vec3 hand = At(elbow, lower, Down(look->armLength * s * 0.5f));
    const uint8_t sleeve = look->motley && side == 1 ? Slot::kSecond : Slot::kTunic;
    Add(Primitive::Capsule(shoulder, elbow, radius * 1.05f, sleeve));
    Add(Primitive::Capsule(elbow, hand, radius * 0.95f, sleeve));
    Add(Primitive::Sphere(At(elbow, lower, Down(look->armLength * s * 0.36f)), radius * 1.2f, Slot::kTrim));
    Add(Primitive::Sphere(hand, radius * 1.05f, look->armour ? Slot::kMetal : Slot::kSkin));
    if (look->armour) {
        Add(Primitive::Ellipsoid(shoulder + Vec3{0.0f, 1.5f * s, 0.0f}, chest.turn, Vec3{7.0f, 5.0f, 7.0f} * s, Slot::kMetal));
    }
    return {hand, lower};
}

void FigureBuilder::AddLeftArmTo(const Frame& chest, Vec3 target)
{
    // Two-bone reach: the elbow bends outwards and down, in the plane through shoulder and grip.
    const float s = look->size;
    const float radius = look->limbRadius * s;
    const float half = look->armLength * s * 0.5f;
    Vec3 shoulder = At(chest.at, chest.turn, {12.5f * s * look->girth, -2.0f * s, 0.0f});
    Vec3 toTarget = target - shoulder;
    float distance = std::clamp(Length(toTarget), 1.0f, 2.0f * half - 0.01f);
    Vec3 direction = Normalised(toTarget);
    Vec3 pole = chest.turn * Vec3{1.0f, -0.6f, -0.3f};
    pole = Normalised(pole - direction * Dot(pole, direction));
    float along = distance * 0.5f;
    float across = std::sqrt(std::max(0.0f, half * half - along * along));
    Vec3 elbow = shoulder + direction * along + pole * across;
    Vec3 hand = shoulder + direction * distance;
    const uint8_t sleeve = look->motley ? Slot::kSecond : Slot::kTunic;
    Add(Primitive::Capsule(shoulder, elbow, radius * 1.05f, sleeve));
    Add(Primitive::Capsule(elbow, hand, radius * 0.95f, sleeve));
    Add(Primitive::Sphere(Lerp(elbow, hand, 0.72f), radius * 1.2f, Slot::kTrim));
    Add(Primitive::Sphere(hand, radius * 1.05f, look->armour ? Slot::kMetal : Slot::kSkin));
    if (look->armour) {
        Add(Primitive::Ellipsoid(shoulder + Vec3{0.0f, 1.5f * s, 0.0f}, chest.turn, Vec3{7.0f, 5.0f, 7.0f} * s, Slot::kMetal));
    }
}

Vec3 FigureBuilder::AddHeld(const Frame& hand)
{
    const float s = look->size;
    Mat3 turn = hand.turn * Mat3::RotX(-pose->boardPitch);
    if (look->held == FigureLook::Held::kNothing) {
        return hand.at;
    }
    if (look->held == FigureLook::Held::kMusket) {
        Add(Primitive::Box(At(hand.at, turn, {0.0f, 4.0f * s, 0.0f}), turn, Vec3{2.0f, 9.0f, 3.2f} * s, Slot::kBoard));
        Add(Primitive::Capsule(At(hand.at, turn, Down(4.0f * s)), At(hand.at, turn, Down(40.0f * s)), 1.5f * s, Slot::kMetal));
        AddShot(At(hand.at, turn, Down(44.0f * s)));
        return At(hand.at, turn, Down(14.0f * s));
    }
    const float length = look->boardLength * s * pose->boardScale;
    const float width = 6.5f * s * (0.6f + 0.4f * pose->boardScale);
    Add(Primitive::Capsule(At(hand.at, turn, {0.0f, 3.0f * s, 0.0f}), At(hand.at, turn, Down(7.0f * s)), 1.9f * s, Slot::kBoard));
    Add(Primitive::Box(At(hand.at, turn, Down(6.0f * s + length * 0.5f)), turn, Vec3{width, length * 0.5f, 1.6f * s},
                       Slot::kBoard));
    Add(Primitive::Box(At(hand.at, turn, Down(6.0f * s + length * 0.3f)), turn, Vec3{width * 1.04f, 1.2f * s, 1.8f * s},
                       Slot::kBelt));
    return At(hand.at, turn, Down(4.5f * s));
}

void FigureBuilder::AddShot(Vec3 muzzle)
{
    const float s = look->size;
    const float t = pose->shot;
    if (t <= 0.0f) {
        return;
    }
    if (t < 0.34f) {
        Add(Primitive::Sphere(muzzle, 6.0f * s, Slot::kPlume));
        Add(Primitive::Sphere(muzzle + Vec3{0.0f, 1.0f, 2.0f} * s, 4.0f * s, Slot::kBell));
        return;
    }
    // Smoke puffs that swell, rise and thin out.
    for (int i = 0; i < 3; ++i) {
        float k = static_cast<float>(i);
        Vec3 puff = muzzle + Vec3{(k - 1.0f) * 4.0f * t, (4.0f + 10.0f * t + 3.0f * k) * t, 1.0f} * s;
        Add(Primitive::Sphere(puff, (3.0f + 5.0f * t - k) * s, Slot::kSecond));
    }
}

void FigureBuilder::AddHead(const Frame& head)
{
    const float r = look->headRadius * look->size;
    if (look->head != FigureLook::Head::kHelmet) {
        Add(Primitive::Sphere(head.at, r, Slot::kSkin));
        AddFace(head);
    }
    AddHeadwear(head);
}

void FigureBuilder::AddFace(const Frame& head)
{
    const float r = look->headRadius * look->size;
    const Mat3& t = head.turn;
    Add(Primitive::Sphere(At(head.at, t, {0.0f, -0.12f * r, 0.96f * r}), 0.3f * r, Slot::kCheek));
    for (float side : {-1.0f, 1.0f}) {
        Vec3 eye{side * 0.36f * r, 0.16f * r, 0.86f * r};
        Vec3 eyeRadii = pose->eyesClosed ? Vec3{0.17f * r, 0.04f * r, 0.08f * r} : Vec3{0.12f * r, 0.15f * r, 0.1f * r};
        Add(Primitive::Ellipsoid(At(head.at, t, eye), t, eyeRadii, Slot::kEye));
        Add(Primitive::Ellipsoid(At(head.at, t, {side * 0.38f * r, 0.4f * r, 0.84f * r}), t * Mat3::RotZ(side * -0.25f),
                                 Vec3{0.22f * r, 0.07f * r, 0.1f * r}, Slot::kBeard));
    }
    const float beard = look->beardLength;
    if (beard > 0.0f) {
        Mat3 tip = t * Mat3::RotX(-0.25f);
        if (look->forkedBeard) {
            for (float side : {-1.0f, 1.0f}) {
                Add(Primitive::Ellipsoid(At(head.at, t, {side * 0.32f * r, -(0.6f + 0.35f * beard) * r, 0.55f * r}),
                                         tip * Mat3::RotZ(side * 0.2f), Vec3{0.45f, 0.55f + 0.5f * beard, 0.45f} * r,
                                         Slot::kBeard));
            }
        } else {
            Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, -(0.55f + 0.32f * beard) * r, 0.52f * r}), tip,
                                     Vec3{0.86f, 0.55f + 0.48f * beard, 0.55f} * r, Slot::kBeard));
        }
        Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, -0.2f * r, 0.62f * r}), t, Vec3{0.84f, 0.42f, 0.5f} * r, Slot::kBeard));
        Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, -0.36f * r, 1.0f * r}), t, Vec3{0.55f, 0.17f, 0.2f} * r, Slot::kBeard));
    }
    if (pose->mouthOpen > 0.0f) {
        Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, -0.6f * r, 1.1f * r}), t,
                                 Vec3{0.24f * r, 0.1f * r + 0.16f * r * pose->mouthOpen, 0.1f * r}, Slot::kMouth));
    }
}

void FigureBuilder::AddHeadwear(const Frame& head)
{
    switch (look->head) {
    case FigureLook::Head::kHood: AddHood(head); break;
    case FigureLook::Head::kHelmet: AddHelmet(head); break;
    case FigureLook::Head::kJesterCap: AddJesterCap(head); break;
    case FigureLook::Head::kHuntersHat: AddHuntersHat(head); break;
    case FigureLook::Head::kCrown: AddCrown(head); break;
    }
}

void FigureBuilder::AddHood(const Frame& head)
{
    const float r = look->headRadius * look->size;
    const float l = look->hoodLength;
    const Mat3& t = head.turn;
    Add(Primitive::Sphere(At(head.at, t, {0.0f, 0.14f * r, -0.3f * r}), 1.08f * r, Slot::kHood));
    Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, -0.55f * r, -0.1f * r}), t, Vec3{1.2f, 0.45f, 1.05f} * r, Slot::kHood));
    Vec3 base = At(head.at, t, {0.0f, 0.5f * r, -0.35f * r});
    Vec3 middle = At(head.at, t, {0.0f, (0.9f + 0.75f * l) * r, -(0.6f + 0.3f * l) * r});
    Vec3 tip = At(head.at, t, {0.0f, (1.1f + 1.0f * l) * r, -(1.0f + 1.0f * l) * r});
    Add(Primitive::Cone(base, 0.98f * r, middle, 0.5f * r, Slot::kHood));
    Add(Primitive::Cone(middle, 0.5f * r, tip, 0.14f * r, Slot::kHood));
    if (look->pompom) {
        Add(Primitive::Sphere(tip, 0.34f * r, Slot::kBell));
    }
}

void FigureBuilder::AddHelmet(const Frame& head)
{
    const float r = look->headRadius * look->size;
    const Mat3& t = head.turn;
    Add(Primitive::Sphere(At(head.at, t, {0.0f, 0.1f * r, 0.0f}), 1.1f * r, Slot::kMetal));
    Add(Primitive::Cone(At(head.at, t, {0.0f, -0.1f * r, 0.0f}), 1.12f * r, At(head.at, t, {0.0f, -0.9f * r, 0.0f}), 1.05f * r,
                        Slot::kMetal));
    Add(Primitive::Box(At(head.at, t, {0.0f, -0.15f * r, 0.95f * r}), t, Vec3{0.72f, 0.55f, 0.25f} * r, Slot::kMetal));
    Add(Primitive::Box(At(head.at, t, {0.0f, 0.05f * r, 1.18f * r}), t, Vec3{0.6f, 0.07f, 0.06f} * r, Slot::kEye));
    Add(Primitive::Box(At(head.at, t, {0.0f, -0.35f * r, 1.18f * r}), t, Vec3{0.06f, 0.2f, 0.06f} * r, Slot::kEye));
    Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, 1.0f * r, 0.0f}), t, Vec3{0.18f, 0.3f, 0.9f} * r, Slot::kTrim));
    // The plume: a feathery arc over the crest, falling backwards.
    for (int i = 0; i < 6; ++i) {
        float a = 0.4f * static_cast<float>(i);
        Vec3 p{0.0f, (1.3f + 0.7f * std::cos(a)) * r, (0.3f - 1.1f * std::sin(a)) * r};
        Add(Primitive::Ellipsoid(At(head.at, t, p), t * Mat3::RotX(-a), Vec3{0.3f, 0.62f - 0.05f * i, 0.45f} * r, Slot::kPlume));
    }
}

void FigureBuilder::AddJesterCap(const Frame& head)
{
    const float r = look->headRadius * look->size;
    const Mat3& t = head.turn;
    Add(Primitive::Sphere(At(head.at, t, {0.0f, 0.2f * r, -0.22f * r}), 1.08f * r, Slot::kHood));
    Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, 0.5f * r, 0.0f}), t, Vec3{1.16f, 0.22f, 1.12f} * r, Slot::kTrim));
    const float sides[3] = {-1.0f, 0.0f, 1.0f};
    for (int i = 0; i < 3; ++i) {
        float side = sides[i];
        Vec3 base = At(head.at, t, {side * 0.45f * r, 0.7f * r, -0.1f * r});
        Vec3 middle = At(head.at, t, {side * 1.2f * r, (side == 0.0f ? 1.8f : 1.5f) * r, (side == 0.0f ? -0.7f : -0.1f) * r});
        Vec3 tip = At(head.at, t, {side * 1.9f * r, (side == 0.0f ? 1.7f : 0.9f) * r, (side == 0.0f ? -1.5f : 0.1f) * r});
        uint8_t colour = i == 1 ? Slot::kSecond : Slot::kHood;
        Add(Primitive::Cone(base, 0.5f * r, middle, 0.3f * r, colour));
        Add(Primitive::Cone(middle, 0.3f * r, tip, 0.12f * r, colour));
        Add(Primitive::Sphere(tip, 0.26f * r, Slot::kBell));
    }
}

void FigureBuilder::AddHuntersHat(const Frame& head)
{
    const float r = look->headRadius * look->size;
    const Mat3& t = head.turn;
    Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, 0.55f * r, 0.0f}), t * Mat3::RotX(-0.12f), Vec3{1.65f, 0.12f, 1.55f} * r,
                             Slot::kHood));
    Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, 0.95f * r, -0.05f * r}), t, Vec3{0.88f, 0.62f, 0.85f} * r, Slot::kHood));
    Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, 0.72f * r, 0.0f}), t, Vec3{0.9f, 0.14f, 0.87f} * r, Slot::kTrim));
    Add(Primitive::Ellipsoid(At(head.at, t, {0.75f * r, 1.3f * r, -0.4f * r}), t * Mat3::RotX(0.6f) * Mat3::RotZ(-0.5f),
                             Vec3{0.12f, 0.9f, 0.25f} * r, Slot::kPlume));
}

void FigureBuilder::AddCrown(const Frame& head)
{
    const float r = look->headRadius * look->size;
    const Mat3& t = head.turn;
    Add(Primitive::Sphere(At(head.at, t, {0.0f, 0.1f * r, -0.2f * r}), 1.06f * r, Slot::kHood));
    Add(Primitive::Ellipsoid(At(head.at, t, {0.0f, -0.7f * r, -0.55f * r}), t, Vec3{0.95f, 1.0f, 0.6f} * r, Slot::kHood));
    Add(Primitive::Cone(At(head.at, t, {0.0f, 0.6f * r, 0.0f}), 0.78f * r, At(head.at, t, {0.0f, 1.1f * r, 0.0f}), 0.86f * r,
                        Slot::kBell));
    for (int i = 0; i < 6; ++i) {
        float a = static_cast<float>(i) * 1.0472f;
        Vec3 p{0.82f * r * std::sin(a), 1.2f * r, 0.82f * r * std::cos(a)};
        Add(Primitive::Sphere(At(head.at, t, p), 0.16f * r, Slot::kBell));
        Add(Primitive::Sphere(At(head.at, t, p * 0.98f + Vec3{0.0f, -0.3f * r, 0.0f}), 0.12f * r, Slot::kPlume));
    }
}
