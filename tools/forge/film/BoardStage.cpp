#include "film/BoardStage.h"

#include <algorithm>
#include <cmath>

#include "board/BoardAnimations.h"
#include "board/BoardLayout.h"
#include "board/BoardScene.h"
#include "film/FilmFormat.h"
#include "film/Resampler.h"

namespace {

// The level's placing of figures: they grow towards the front, stand 20 pixels (times their
// scale) above their frame's bottom edge, and cast a shadow of half their scale, 5 pixels to
// the right and up; stars circle 200 shadow-scaled pixels higher, the flash is half as large again.
constexpr double kFigureLiftPerScale = 20.0;
constexpr double kShadowOffsetX = 5.0;
constexpr double kShadowOffsetY = -5.0;
constexpr double kShadowDepthOffset = -0.001;
constexpr double kStarsLiftPerScale = 200.0;
constexpr double kStarsScaleFactor = 1.3;
constexpr double kStarsDepthOffset = 0.01;
constexpr double kFlashScaleFactor = 1.5;
constexpr double kQueenDepth = -0.5;
// A hopping figure's shadow fades as it rises, gone at this lift.
constexpr double kShadowFadeLift = 90.0;

// The backdrop is a little out of focus, the more so behind the board's back edge: the eye
// stays on the figures, and the softer picture packs into fewer JPEG bytes.
constexpr double kFarY = 250.0;
constexpr double kNearY = 340.0;
constexpr double kFarSoftness = 3.0;
constexpr double kNearSoftness = 2.0;

double BackdropSoftness(double boardY)
{
    const double nearness = std::clamp((boardY - kFarY) / (kNearY - kFarY), 0.0, 1.0);
    return kFarSoftness + (kNearSoftness - kFarSoftness) * nearness;
}

// The corners darken by this share; the middle stays as it is.
constexpr double kVignetteDepth = 0.3;
constexpr double kVignetteFrom = 0.5;

std::vector<uint16_t> VignetteGains()
{
    std::vector<uint16_t> gains;
    for (int y = 0; y < film_format::kHeight; ++y) {
        for (int x = 0; x < film_format::kWidth; ++x) {
            const double dx = (x + 0.5) / film_format::kWidth * 2.0 - 1.0;
            const double dy = (y + 0.5) / film_format::kHeight * 2.0 - 1.0;
            const double outward = std::clamp((dx * dx + dy * dy - kVignetteFrom) / (2.0 - kVignetteFrom), 0.0, 1.0);
            gains.push_back(static_cast<uint16_t>(std::lround(256.0 * (1.0 - kVignetteDepth * outward))));
        }
    }
    return gains;
}

// The backdrop animations' speeds in the level (frames a second); the forest swings to and fro.
constexpr double kSmokeSpeed = 10.0;
constexpr double kWaterSpeed = 10.0;
constexpr double kForestSpeed = 8.0;

// The figures' shadow as the game shows it: an olive ellipse twice the figure's footprint,
// darkest (150 of 255) in the middle. The game draws it through an alpha strip of 16 levels and
// the review sheet holds it solid, so the film paints its own smooth one.
Canvas ShadowPicture()
{
    constexpr int kWidth = 96;
    constexpr int kHeight = 30;
    constexpr double kDarkest = 150.0;
    Canvas shadow(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double u = (x + 0.5 - kWidth * 0.5) / (kWidth * 0.5 - 1.0);
            const double v = (y + 0.5 - kHeight * 0.5) / (kHeight * 0.5 - 1.0);
            const double d = u * u + v * v;
            if (d < 1.0) {
                const double alpha = kDarkest * std::min(1.0, (1.0 - d * d) * 16.0 / 15.0);
                shadow.At(x, y) = {40, 52, 30, static_cast<uint8_t>(std::lround(alpha))};
            }
        }
    }
    return shadow;
}

int PingPong(double seconds, double fps, int frames)
{
    const int period = 2 * (frames - 1);
    const int step = static_cast<int>(std::floor(seconds * fps)) % period;
    return step < frames ? step : period - step;
}

int Looping(double seconds, double fps, int frames)
{
    return static_cast<int>(std::floor(seconds * fps)) % frames;
}

}  // namespace

BoardStage::BoardStage(FilmCast& cast)
    : background(cast.Strip("board", board::kBackground.label)),
      smoke(cast.Strip("board", board::kChimneyAnim.label, board::kSmokeFrames)),
      water(cast.Strip("board", board::kWaterAnim.label, board::kWaterFrames)),
      forest(cast.Strip("board", board::kForestAnim.label, BoardScene::kForestFrames)),
      shadowPicture(ShadowPicture()),
      vignette(VignetteGains())
{
    for (const board::Placement& placement : board::kMasks) {
        Item mask;
        mask.strip = cast.Strip("board", placement.label);
        mask.left = placement.x;
        mask.top = placement.y;
        mask.depth = placement.depth;
        mask.softness = BackdropSoftness(mask.top + mask.strip.FrameHeight() * 0.5);
        mask.mask = true;
        masks.push_back(mask);
    }
}

void BoardStage::AddAnchored(const SpriteStrip& strip, int frame, double x, double y, double scale, double depth,
                             double opacity)
{
    Item item;
    item.strip = strip;
    item.frame = std::clamp(frame, 0, strip.frames - 1);
    item.left = x - strip.Width() * scale * 0.5;
    item.top = y - strip.FrameHeight() * scale;
    item.scale = scale;
    item.depth = depth;
    item.opacity = opacity;
    items.push_back(item);
}

void BoardStage::AddFigure(const SpriteStrip& strip, int frame, double column, double row, double lift)
{
    const double scale = board::FigureScale(row);
    const board::ScreenPoint ground = board::ProjectExact(column, row);
    const double baseY = ground.y + kFigureLiftPerScale * scale;
    const SpriteStrip shadow{&shadowPicture, 1};
    AddAnchored(shadow, 0, ground.x + kShadowOffsetX, baseY + kShadowOffsetY, scale * 0.5, row + kShadowDepthOffset,
                std::max(0.0, 1.0 - lift / kShadowFadeLift));
    AddAnchored(strip, frame, ground.x, baseY - lift * scale, scale, row);
}

void BoardStage::AddStars(const SpriteStrip& strip, int frame, double column, double row)
{
    const double shadowScale = board::FigureScale(row) * 0.5;
    const board::ScreenPoint ground = board::ProjectExact(column, row);
    const double baseY = ground.y + kFigureLiftPerScale * shadowScale * 2.0;
    AddAnchored(strip, frame, ground.x, baseY - kStarsLiftPerScale * shadowScale, shadowScale * kStarsScaleFactor,
                row + kStarsDepthOffset);
}

void BoardStage::AddFlash(const SpriteStrip& strip, int frame, double column, double row)
{
    const board::ScreenPoint ground = board::ProjectExact(column, row);
    AddAnchored(strip, frame, ground.x, ground.y, board::FigureScale(row) * kFlashScaleFactor, row);
}

void BoardStage::AddQueen(const SpriteStrip& strip, int frame)
{
    Item item;
    item.strip = strip;
    item.frame = std::clamp(frame, 0, strip.frames - 1);
    item.left = board::kQueenX;
    item.top = board::kQueenY;
    item.depth = kQueenDepth;
    items.push_back(item);
}

Canvas BoardStage::Shoot(double seconds, const FilmCamera& camera)
{
    if (!background.Valid()) {
        items.clear();
        return Canvas(film_format::kWidth, film_format::kHeight, {0, 0, 0, 255});
    }
    if (plateCamera != camera) {
        plate = Canvas(film_format::kWidth, film_format::kHeight, {0, 0, 0, 255});
        resampler::Reduce(*background.picture, camera, BackdropSoftness, plate);
        plateCamera = camera;
    }
    Canvas film = plate;
    DrawBackdrop(film, seconds, camera);
    DrawItems(film, camera);
    Vignette(film);
    items.clear();
    return film;
}

void BoardStage::Vignette(Canvas& film) const
{
    for (int y = 0; y < film.Height(); ++y) {
        for (int x = 0; x < film.Width(); ++x) {
            const int gain = vignette[static_cast<size_t>(y) * film_format::kWidth + x];
            Rgba& p = film.At(x, y);
            p.r = static_cast<uint8_t>(p.r * gain >> 8);
            p.g = static_cast<uint8_t>(p.g * gain >> 8);
            p.b = static_cast<uint8_t>(p.b * gain >> 8);
        }
    }
}

void BoardStage::DrawBackdrop(Canvas& film, double seconds, const FilmCamera& camera) const
{
    struct Animated {
        const SpriteStrip& strip;
        const board::Placement& placement;
        int frame;
    };
    const Animated animations[] = {
        {smoke, board::kChimneyAnim, Looping(seconds, kSmokeSpeed, board::kSmokeFrames)},
        {water, board::kWaterAnim, Looping(seconds, kWaterSpeed, board::kWaterFrames)},
        {forest, board::kForestAnim, PingPong(seconds, kForestSpeed, BoardScene::kForestFrames)},
    };
    for (const Animated& animation : animations) {
        Item item;
        item.strip = animation.strip;
        item.frame = animation.frame;
        item.left = animation.placement.x;
        item.top = animation.placement.y;
        item.softness = BackdropSoftness(item.top + item.strip.FrameHeight() * 0.5);
        if (item.strip.Valid()) {
            DrawItem(film, item, camera);
        }
    }
}

bool BoardStage::Overlaps(const Item& a, const Item& b)
{
    return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

// Masks are drawn only over figures behind them: elsewhere they would repeat the backdrop.
void BoardStage::DrawItems(Canvas& film, const FilmCamera& camera)
{
    std::vector<Item> order = items;
    order.insert(order.end(), masks.begin(), masks.end());
    std::stable_sort(order.begin(), order.end(), [](const Item& a, const Item& b) { return a.depth < b.depth; });
    std::vector<const Item*> drawn;
    for (const Item& item : order) {
        if (!item.strip.Valid()) {
            continue;
        }
        const auto covers = [&](const Item* under) { return Overlaps(item, *under); };
        if (item.mask && std::none_of(drawn.begin(), drawn.end(), covers)) {
            continue;
        }
        DrawItem(film, item, camera);
        drawn.push_back(&item);
    }
}

void BoardStage::DrawItem(Canvas& film, const Item& item, const FilmCamera& camera)
{
    const int height = item.strip.FrameHeight();
    resampler::Placement placement;
    placement.x = camera.FilmX(item.left);
    placement.y = camera.FilmY(item.top);
    placement.scale = item.scale * camera.zoom;
    placement.opacity = item.opacity;
    placement.softness = item.softness;
    resampler::Draw(film, *item.strip.picture, item.frame * height, height, placement);
}
