#pragma once

#include <cmath>

#include "model/Vec3.h"

// A rotation of the figure models, stored as its three column vectors (the turned axes).
struct Mat3 {
    Vec3 x{1.0f, 0.0f, 0.0f};
    Vec3 y{0.0f, 1.0f, 0.0f};
    Vec3 z{0.0f, 0.0f, 1.0f};

    Vec3 operator*(Vec3 v) const { return x * v.x + y * v.y + z * v.z; }
    Mat3 operator*(const Mat3& other) const { return {*this * other.x, *this * other.y, *this * other.z}; }

    // Right-handed turns by an angle in radians: RotX takes +Y towards +Z, RotY takes +Z
    // towards +X, RotZ takes +X towards +Y.
    static Mat3 RotX(float a)
    {
        float c = std::cos(a), s = std::sin(a);
        return {{1.0f, 0.0f, 0.0f}, {0.0f, c, s}, {0.0f, -s, c}};
    }
    static Mat3 RotY(float a)
    {
        float c = std::cos(a), s = std::sin(a);
        return {{c, 0.0f, -s}, {0.0f, 1.0f, 0.0f}, {s, 0.0f, c}};
    }
    static Mat3 RotZ(float a)
    {
        float c = std::cos(a), s = std::sin(a);
        return {{c, s, 0.0f}, {-s, c, 0.0f}, {0.0f, 0.0f, 1.0f}};
    }
};
