#pragma once

#include <vector>

#include "figures/FigureLook.h"
#include "figures/FigurePose.h"
#include "model/Mat3.h"
#include "model/Primitive.h"

// Turns a look and a pose into the solids of one picture: legs, tunic, belt, arms, head with
// its face, beard and headwear, and the thing in the right hand.
class FigureBuilder {
public:
    // Replaces the contents of model; the vector keeps its storage between frames.
    void Build(const FigureLook& look, const FigurePose& pose, std::vector<Primitive>& model);

private:
    struct Frame {
        Vec3 at;
        Mat3 turn;
    };

    void Add(Primitive primitive);
    Vec3 ToBody(Vec3 p) const;
    void AddLegs();
    void AddBody(const Frame& pelvis);
    void AddCollar(const Frame& pelvis);
    Frame AddArm(const Frame& chest, int side);
    void AddLeftArmTo(const Frame& chest, Vec3 target);
    void AddHead(const Frame& head);
    void AddFace(const Frame& head);
    void AddHeadwear(const Frame& head);
    void AddHood(const Frame& head);
    void AddHelmet(const Frame& head);
    void AddJesterCap(const Frame& head);
    void AddHuntersHat(const Frame& head);
    void AddCrown(const Frame& head);
    Vec3 AddHeld(const Frame& hand);
    void AddShot(Vec3 muzzle);

    const FigureLook* look = nullptr;
    const FigurePose* pose = nullptr;
    std::vector<Primitive>* out = nullptr;
    Mat3 bodyTurn;
};
