#include "model/ModelRenderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kEmpty = -std::numeric_limits<float>::max();
constexpr float kAmbient = 0.46f;
constexpr float kDiffuse = 0.66f;
constexpr float kShadeBands = 7.0f;
constexpr float kGlossPower = 18.0f;
constexpr float kCreaseDepthPixels = 5.0f;
constexpr Rgba kOutline{44, 28, 24, 255};
// Solids sunk into the ground (the jester in his bush) stay hidden below it.
constexpr float kGroundToleranceUnits = -0.6f;

// Towards the light, in camera space (x right, y down, z towards the viewer): upper left, front.
const Vec3 kLight = Normalised({-0.55f, -0.68f, 0.50f});
const Vec3 kHalfway = Normalised(kLight + Vec3{0.0f, 0.0f, 1.0f});

struct Hit {
    float z = kEmpty;
    Vec3 normal;
};

// Camera-space vectors are in pixels; the view ray through a pixel runs along -z.
Vec3 TurnToCamera(Vec3 p, float cosYaw, float sinYaw)
{
    float x = p.x * cosYaw + p.z * sinYaw;
    float z = -p.x * sinYaw + p.z * cosYaw;
    const float sinE = ModelRenderer::kElevationSine;
    const float cosE = std::sqrt(1.0f - sinE * sinE);
    return {x, -p.y * cosE + z * sinE, p.y * sinE + z * cosE};
}

uint8_t Channel(float value) { return static_cast<uint8_t>(std::clamp(value, 0.0f, 255.0f)); }

Rgba Shade(const Material& material, Vec3 normal)
{
    float diffuse = std::max(0.0f, Dot(normal, kLight));
    float light = kAmbient + kDiffuse * diffuse;
    light *= 0.86f + 0.14f * std::max(0.0f, normal.z);
    light = std::floor(light * kShadeBands + 0.5f) / kShadeBands;
    float gloss = 0.0f;
    if (material.gloss > 0.0f) {
        gloss = std::pow(std::max(0.0f, Dot(normal, kHalfway)), kGlossPower) * material.gloss;
        gloss = std::floor(gloss * 3.0f + 0.3f) / 3.0f;
    }
    // Sunlit parts lean warm, shaded parts cool, as on a sunny afternoon.
    float warm = light > 1.0f ? 1.06f : 1.0f;
    float cool = light < 0.6f ? 1.08f : 1.0f;
    return {Channel(material.colour.r * light * warm + 230.0f * gloss),
            Channel(material.colour.g * light + 220.0f * gloss),
            Channel(material.colour.b * light * cool / warm + 190.0f * gloss), 255};
}

// Linear terms of the local coordinates along the view ray: l_i(z) = base_i + z * slope_i.
struct LocalRay {
    float base[3];
    float slope[3];
};

LocalRay ToLocal(const Vec3 axes[3], Vec3 centre, float x, float y)
{
    LocalRay ray{};
    Vec3 offset{x - centre.x, y - centre.y, -centre.z};
    for (int i = 0; i < 3; ++i) {
        float inverseSquare = 1.0f / Dot(axes[i], axes[i]);
        ray.base[i] = Dot(axes[i], offset) * inverseSquare;
        ray.slope[i] = axes[i].z * inverseSquare;
    }
    return ray;
}

Hit HitEllipsoid(const Vec3 axes[3], Vec3 centre, float x, float y)
{
    LocalRay ray = ToLocal(axes, centre, x, y);
    float a = 0.0f, b = 0.0f, c = -1.0f;
    for (int i = 0; i < 3; ++i) {
        a += ray.slope[i] * ray.slope[i];
        b += 2.0f * ray.base[i] * ray.slope[i];
        c += ray.base[i] * ray.base[i];
    }
    float disc = b * b - 4.0f * a * c;
    if (disc < 0.0f || a <= 0.0f) {
        return {};
    }
    float z = (-b + std::sqrt(disc)) / (2.0f * a);
    Vec3 normal;
    for (int i = 0; i < 3; ++i) {
        float local = ray.base[i] + z * ray.slope[i];
        normal = normal + axes[i] * (local / Dot(axes[i], axes[i]));
    }
    return {z, Normalised(normal)};
}

Hit HitBox(const Vec3 axes[3], Vec3 centre, float x, float y)
{
    LocalRay ray = ToLocal(axes, centre, x, y);
    float low = -std::numeric_limits<float>::max();
    float high = std::numeric_limits<float>::max();
    int face = 0;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(ray.slope[i]) < 1e-7f) {
            if (std::fabs(ray.base[i]) > 1.0f) {
                return {};
            }
            continue;
        }
        float z1 = (-1.0f - ray.base[i]) / ray.slope[i];
        float z2 = (1.0f - ray.base[i]) / ray.slope[i];
        low = std::max(low, std::min(z1, z2));
        float top = std::max(z1, z2);
        if (top < high) {
            high = top;
            face = i;
        }
    }
    if (low > high) {
        return {};
    }
    Vec3 normal = Normalised(axes[face]);
    return {high, ray.slope[face] > 0.0f ? normal : normal * -1.0f};
}

// Capsule and cone intersections after Inigo Quilez's formulas, in double precision; the ray
// starts at height top above the pixel and runs along -z.
double DotD(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Hit HitCapsule(Vec3 pa, Vec3 pb, float radius, float x, float y, float top)
{
    const double rd[3] = {0.0, 0.0, -1.0};
    const double ba[3] = {double(pb.x) - pa.x, double(pb.y) - pa.y, double(pb.z) - pa.z};
    const double oa[3] = {double(x) - pa.x, double(y) - pa.y, double(top) - pa.z};
    double baba = DotD(ba, ba), bard = DotD(ba, rd), baoa = DotD(ba, oa);
    double rdoa = DotD(rd, oa), oaoa = DotD(oa, oa);
    double a = baba - bard * bard;
    double t = -1.0;
    if (a > 1e-9) {
        double b = baba * rdoa - baoa * bard;
        double c = baba * oaoa - baoa * baoa - double(radius) * radius * baba;
        double h = b * b - a * c;
        if (h < 0.0) {
            return {};
        }
        t = (-b - std::sqrt(h)) / a;
        double along = baoa + t * bard;
        if (along <= 0.0 || along >= baba) {
            t = -1.0;
        }
    }
    if (t < 0.0) {
        // The rounded ends: the nearer of the two spheres.
        for (Vec3 end : {pa, pb}) {
            const double oc[3] = {double(x) - end.x, double(y) - end.y, double(top) - end.z};
            double b = DotD(rd, oc);
            double h = b * b - (DotD(oc, oc) - double(radius) * radius);
            if (h > 0.0) {
                double candidate = -b - std::sqrt(h);
                if (candidate > 0.0 && (t < 0.0 || candidate < t)) {
                    t = candidate;
                }
            }
        }
        if (t < 0.0) {
            return {};
        }
    }
    Vec3 hit{x, y, static_cast<float>(top - t)};
    double along = std::clamp(DotD(ba, oa) + t * bard, 0.0, baba) / std::max(baba, 1e-9);
    Vec3 axisPoint = Lerp(pa, pb, static_cast<float>(along));
    return {hit.z, Normalised(hit - axisPoint)};
}

Hit HitCone(Vec3 pa, Vec3 pb, float ra, float rb, float x, float y, float top)
{
    const double rd[3] = {0.0, 0.0, -1.0};
    const double ba[3] = {double(pb.x) - pa.x, double(pb.y) - pa.y, double(pb.z) - pa.z};
    const double oa[3] = {double(x) - pa.x, double(y) - pa.y, double(top) - pa.z};
    const double ob[3] = {double(x) - pb.x, double(y) - pb.y, double(top) - pb.z};
    double m0 = DotD(ba, ba), m1 = DotD(oa, ba), m2 = DotD(rd, ba), m3 = DotD(rd, oa);
    double m5 = DotD(oa, oa), m9 = DotD(ob, ba);
    if (m0 < 1e-9) {
        return {};
    }
    double axisLength = std::sqrt(m0);
    Vec3 axis{static_cast<float>(ba[0] / axisLength), static_cast<float>(ba[1] / axisLength),
              static_cast<float>(ba[2] / axisLength)};
    if (m1 < 0.0 && std::fabs(m2) > 1e-9) {
        double px = oa[0] * m2 - rd[0] * m1, py = oa[1] * m2 - rd[1] * m1, pz = oa[2] * m2 - rd[2] * m1;
        if (px * px + py * py + pz * pz < double(ra) * ra * m2 * m2) {
            return {static_cast<float>(top + m1 / m2), axis * -1.0f};
        }
    } else if (m9 > 0.0 && std::fabs(m2) > 1e-9) {
        double t = -m9 / m2;
        double px = ob[0] + rd[0] * t, py = ob[1] + rd[1] * t, pz = ob[2] + rd[2] * t;
        if (px * px + py * py + pz * pz < double(rb) * rb) {
            return {static_cast<float>(top - t), axis};
        }
    }
    double rr = double(ra) - rb;
    double hy = m0 + rr * rr;
    double k2 = m0 * m0 - m2 * m2 * hy;
    double k1 = m0 * m0 * m3 - m1 * m2 * hy + m0 * ra * (rr * m2);
    double k0 = m0 * m0 * m5 - m1 * m1 * hy + m0 * ra * (rr * m1 * 2.0 - m0 * ra);
    double h = k1 * k1 - k2 * k0;
    if (h < 0.0 || std::fabs(k2) < 1e-12) {
        return {};
    }
    double t = (-k1 - std::sqrt(h)) / k2;
    double along = m1 + t * m2;
    if (along < 0.0 || along > m0) {
        return {};
    }
    Vec3 normal{static_cast<float>(m0 * (m0 * (oa[0] + t * rd[0]) + rr * ba[0] * ra) - ba[0] * hy * along),
                static_cast<float>(m0 * (m0 * (oa[1] + t * rd[1]) + rr * ba[1] * ra) - ba[1] * hy * along),
                static_cast<float>(m0 * (m0 * (oa[2] + t * rd[2]) + rr * ba[2] * ra) - ba[2] * hy * along)};
    return {static_cast<float>(top - t), Normalised(normal)};
}

}  // namespace

struct ModelRenderer::CameraPrimitive {
    Primitive::Kind kind;
    Vec3 a;
    Vec3 b;
    Vec3 axes[3];
    float radiusA;
    float radiusB;
    float minX, maxX, minY, maxY, top;
};

ModelRenderer::CameraPrimitive ModelRenderer::ToCamera(const Primitive& p, const ModelView& view) const
{
    float cosYaw = std::cos(view.yawRadians), sinYaw = std::sin(view.yawRadians);
    float k = view.pixelsPerUnit;
    Vec3 origin{view.originX, view.originY, 0.0f};
    CameraPrimitive c{};
    c.kind = p.kind;
    c.a = origin + TurnToCamera(p.a, cosYaw, sinYaw) * k;
    c.b = origin + TurnToCamera(p.b, cosYaw, sinYaw) * k;
    c.radiusA = p.radiusA * k;
    c.radiusB = p.radiusB * k;
    for (int i = 0; i < 3; ++i) {
        c.axes[i] = TurnToCamera(p.axes[i], cosYaw, sinYaw) * k;
    }
    if (p.kind == Primitive::Kind::kEllipsoid || p.kind == Primitive::Kind::kBox) {
        bool box = p.kind == Primitive::Kind::kBox;
        auto extent = [&](float Vec3::*axis) {
            float sum = 0.0f;
            for (const Vec3& v : c.axes) {
                sum += box ? std::fabs(v.*axis) : (v.*axis) * (v.*axis);
            }
            return box ? sum : std::sqrt(sum);
        };
        float ex = extent(&Vec3::x), ey = extent(&Vec3::y), ez = extent(&Vec3::z);
        c.minX = c.a.x - ex;
        c.maxX = c.a.x + ex;
        c.minY = c.a.y - ey;
        c.maxY = c.a.y + ey;
        c.top = c.a.z + ez + 1.0f;
    } else {
        float r = std::max(c.radiusA, c.radiusB);
        c.minX = std::min(c.a.x, c.b.x) - r;
        c.maxX = std::max(c.a.x, c.b.x) + r;
        c.minY = std::min(c.a.y, c.b.y) - r;
        c.maxY = std::max(c.a.y, c.b.y) + r;
        c.top = std::max(c.a.z, c.b.z) + r + 1.0f;
    }
    return c;
}

void ModelRenderer::Rasterise(const CameraPrimitive& p, const Material& material)
{
    int x0 = std::max(0, static_cast<int>(std::floor(p.minX)));
    int x1 = std::min(width - 1, static_cast<int>(std::ceil(p.maxX)));
    int y0 = std::max(0, static_cast<int>(std::floor(p.minY)));
    int y1 = std::min(height - 1, static_cast<int>(std::ceil(p.maxY)));
    for (int y = y0; y <= y1; ++y) {
        float py = static_cast<float>(y) + 0.5f;
        for (int x = x0; x <= x1; ++x) {
            float px = static_cast<float>(x) + 0.5f;
            Hit hit;
            switch (p.kind) {
            case Primitive::Kind::kEllipsoid: hit = HitEllipsoid(p.axes, p.a, px, py); break;
            case Primitive::Kind::kBox: hit = HitBox(p.axes, p.a, px, py); break;
            case Primitive::Kind::kCapsule: hit = HitCapsule(p.a, p.b, p.radiusA, px, py, p.top); break;
            case Primitive::Kind::kCone: hit = HitCone(p.a, p.b, p.radiusA, p.radiusB, px, py, p.top); break;
            }
            size_t index = static_cast<size_t>(y) * width + x;
            if (hit.z > depth[index] && !BelowGround(py, hit.z)) {
                depth[index] = hit.z;
                colour[index] = Shade(material, hit.normal);
            }
        }
    }
}

bool ModelRenderer::BelowGround(float pixelY, float pixelZ) const
{
    const float sinE = kElevationSine;
    const float cosE = std::sqrt(1.0f - sinE * sinE);
    return -(pixelY - groundOriginY) * cosE + pixelZ * sinE < kGroundToleranceUnits * pixelsPerUnit;
}

void ModelRenderer::Outline()
{
    outlined = colour;
    auto filled = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && depth[static_cast<size_t>(y) * width + x] != kEmpty;
    };
    const int dx[4] = {1, -1, 0, 0};
    const int dy[4] = {0, 0, 1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t index = static_cast<size_t>(y) * width + x;
            float here = depth[index];
            for (int k = 0; k < 4; ++k) {
                int nx = x + dx[k], ny = y + dy[k];
                if (!filled(nx, ny)) {
                    continue;
                }
                float there = depth[static_cast<size_t>(ny) * width + nx];
                // Empty beside solid is the silhouette; a pixel well behind its neighbour is a crease.
                if (here == kEmpty || there - here > kCreaseDepthPixels) {
                    outlined[index] = kOutline;
                    break;
                }
            }
        }
    }
}

void ModelRenderer::CopyInto(Canvas& target, int cellX, int cellY) const
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba& c = outlined[static_cast<size_t>(y) * width + x];
            if (c.a != 0) {
                target.Set(cellX + x, cellY + y, c);
            }
        }
    }
}

void ModelRenderer::Render(const std::vector<Primitive>& model, const std::vector<Material>& materials,
                           const ModelView& view, Canvas& target, int cellX, int cellY, int cellWidth, int cellHeight)
{
    width = std::max(0, cellWidth);
    height = std::max(0, cellHeight);
    groundOriginY = view.originY;
    pixelsPerUnit = view.pixelsPerUnit;
    depth.assign(static_cast<size_t>(width) * height, kEmpty);
    colour.assign(static_cast<size_t>(width) * height, Rgba{});
    for (const Primitive& primitive : model) {
        if (primitive.material < materials.size()) {
            Rasterise(ToCamera(primitive, view), materials[primitive.material]);
        }
    }
    Outline();
    CopyInto(target, cellX, cellY);
}
