#pragma once

#include "model/Vec3.h"

// One picture of a figure's skeleton. Angles are in radians; the figure faces +z, its right
// side is -x, and its right hand (limb index 0) holds the board.
struct FigurePose {
    struct Limb {
        float swing = 0.0f;   // forwards (+) or backwards (-) from hanging straight down
        float spread = 0.0f;  // outwards from the body
        float bend = 0.0f;    // elbow forwards, or knee backwards
    };

    Vec3 offset;            // the whole figure, before it is turned
    float turn = 0.0f;      // the whole figure turned to its left about the vertical
    bool hidden = false;    // only the clip's scenery shows
    float fall = 0.0f;      // the whole body tipped backwards about the heels (pi/2 lies flat)
    float lean = 0.0f;      // the upper body forwards
    float roll = 0.0f;      // the upper body towards its left side
    float twist = 0.0f;     // the upper body turned towards its left
    float hipDrop = 0.0f;   // hips lowered (sitting, crouching)
    float headPitch = 0.0f; // nodding down (+)
    float headYaw = 0.0f;   // looking to its left (+)
    float headRoll = 0.0f;
    Limb arms[2];
    Limb legs[2];
    float boardPitch = 1.4f; // the board in the right hand, turned forwards from the forearm
    float boardScale = 1.0f; // 1 the dwarf's own board, larger for the double board
    bool twoHanded = false;  // the left hand grips the board too
    float mouthOpen = 0.0f;  // 0 closed .. 1 shouting
    bool eyesClosed = false;
    float breath = 0.0f;     // chest swelling, -1 .. 1
    float shot = 0.0f;       // a musket shot: 0 none, then its flash (to 1/3) and smoke (to 1)
};
