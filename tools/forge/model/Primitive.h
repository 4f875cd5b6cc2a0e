#pragma once

#include <cstdint>

#include "model/Mat3.h"
#include "model/Vec3.h"

// One solid of a figure model. Ellipsoids and boxes are a centre with three half axes
// (orthogonal, their lengths the radii); capsules and cones run from a to b.
struct Primitive {
    enum class Kind : uint8_t { kEllipsoid, kBox, kCapsule, kCone };

    Kind kind = Kind::kEllipsoid;
    uint8_t material = 0;
    Vec3 a;
    Vec3 b;
    Vec3 axes[3];
    float radiusA = 0.0f;
    float radiusB = 0.0f;

    static Primitive Sphere(Vec3 centre, float radius, uint8_t material)
    {
        return Ellipsoid(centre, Mat3{}, {radius, radius, radius}, material);
    }
    static Primitive Ellipsoid(Vec3 centre, const Mat3& turn, Vec3 radii, uint8_t material)
    {
        Primitive p;
        p.kind = Kind::kEllipsoid;
        p.material = material;
        p.a = centre;
        p.axes[0] = turn.x * radii.x;
        p.axes[1] = turn.y * radii.y;
        p.axes[2] = turn.z * radii.z;
        return p;
    }
    static Primitive Box(Vec3 centre, const Mat3& turn, Vec3 halfSize, uint8_t material)
    {
        Primitive p = Ellipsoid(centre, turn, halfSize, material);
        p.kind = Kind::kBox;
        return p;
    }
    static Primitive Capsule(Vec3 from, Vec3 to, float radius, uint8_t material)
    {
        Primitive p;
        p.kind = Kind::kCapsule;
        p.material = material;
        p.a = from;
        p.b = to;
        p.radiusA = radius;
        p.radiusB = radius;
        return p;
    }
    static Primitive Cone(Vec3 from, float radiusFrom, Vec3 to, float radiusTo, uint8_t material)
    {
        Primitive p = Capsule(from, to, radiusFrom, material);
        p.kind = Kind::kCone;
        p.radiusB = radiusTo;
        return p;
    }
};
