#include "board/BoardScene.h"

#include <algorithm>
#include <cmath>

#include "board/BoardAnimations.h"
#include "board/BoardBackdrop.h"
#include "board/BoardGround.h"
#include "board/BoardProps.h"
#include "paint/Colour.h"

namespace {

using board::kScreenHeight;
using board::kScreenWidth;

constexpr int kForestBottom = 262;
constexpr uint8_t kOpaque = 255;

// Sway phase of a ping-pong frame: the crowns move from one side to the other and back.
double ForestPhase(int frame) { return 0.5 * frame / (BoardScene::kForestFrames - 1); }

// Places where other background sprites are drawn (the smoke, the queen on her seat, the
// hunter's door pictures): the swaying forest leaves them alone, whatever the drawing order.
bool KeptClear(int x, int y)
{
    struct Area {
        int left, top, right, bottom;
    };
    const Area areas[] = {
        {board::kChimneyAnim.x, board::kChimneyAnim.y, board::kChimneyAnim.x + board::kSmokeWidth,
         board::kChimneyAnim.y + board::kSmokeHeight},
        {board::kQueenX, board::kQueenY, board::kQueenX + 110, board::kQueenY + 110},
        {board::kDoorPictureX, board::kDoorPictureY, board::kDoorPictureX + 80, board::kDoorPictureY + 100},
    };
    for (const Area& area : areas) {
        if (x >= area.left && x < area.right && y >= area.top && y < area.bottom) {
            return true;
        }
    }
    return false;
}

Canvas ForestLayer(double phase)
{
    Canvas layer(kScreenWidth, kForestBottom);
    board::PaintForest(layer, phase);
    return layer;
}

}  // namespace

BoardScene::BoardScene()
    : background(kScreenWidth, kScreenHeight), sky(kScreenWidth, kScreenHeight), front(kScreenWidth, kScreenHeight)
{
    board::PaintSky(sky);
    background = sky;
    background.Paste(ForestLayer(ForestPhase(0)), 0, 0);
    board::PaintGround(background);
    board::PaintStreamBanks(background);
    board::PaintWater(background, 0.0);
    board::PaintBuildings(front);
    background.Paste(front, 0, 0);
    board::PaintMeadowDetails(background);
    board::PaintCart(background);
    PaintProps();
}

void BoardScene::PaintProps()
{
    struct Prop {
        const char* layerName;
        void (*paint)(Canvas&, Canvas&);
    };
    // Back to front, so nearer objects overlap farther ones.
    const Prop props[] = {{"garden", board::PaintHouseGarden},   {"mask_hay", board::PaintHayBales},
                          {"mask_wood", board::PaintWoodPile},   {"mask_well", board::PaintWell},
                          {"mask_fence", board::PaintFence},     {"mask_tabletop", board::PaintTable},
                          {"flowers", board::PaintFlowerBed},    {"vegetables", board::PaintVegetableBed},
                          {"mask_tree", board::PaintFallenTree}, {"mask_barrel", board::PaintBarrels}};
    for (const Prop& prop : props) {
        Canvas layer(kScreenWidth, kScreenHeight);
        prop.paint(background, layer);
        background.Paste(layer, 0, 0);
        objectLayers[prop.layerName] = std::move(layer);
    }
    const char* shrubs[] = {"mask_shrub_front_01", "mask_shrub_front_02", "mask_shrub_front_03"};
    for (int i = 0; i < 3; ++i) {
        Canvas layer(kScreenWidth, kScreenHeight);
        board::PaintFrontShrub(i, layer);
        background.Paste(layer, 0, 0);
        objectLayers[shrubs[i]] = std::move(layer);
    }
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            background.At(x, y).a = kOpaque;
        }
    }
}

const Canvas* BoardScene::ObjectLayer(const std::string& name) const
{
    auto found = objectLayers.find(name);
    return found == objectLayers.end() ? nullptr : &found->second;
}

Canvas BoardScene::CutMask(const board::Placement& mask) const
{
    auto found = objectLayers.find(mask.label);
    if (found == objectLayers.end()) {
        return Canvas();
    }
    const Canvas& layer = found->second;
    int right = mask.x;
    int bottom = mask.y;
    for (int y = mask.y; y < kScreenHeight; ++y) {
        for (int x = mask.x; x < kScreenWidth; ++x) {
            if (layer.At(x, y).a >= 128) {
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    Canvas cut(right - mask.x + 1, bottom - mask.y + 1);
    for (int y = 0; y < cut.Height(); ++y) {
        for (int x = 0; x < cut.Width(); ++x) {
            if (layer.At(mask.x + x, mask.y + y).a >= 128) {
                cut.At(x, y) = background.At(mask.x + x, mask.y + y);
            }
        }
    }
    return cut;
}

std::vector<Canvas> BoardScene::ForestFrames() const
{
    std::vector<Canvas> layers;
    Canvas reach(kScreenWidth, kForestBottom);
    for (int frame = 0; frame < kForestFrames; ++frame) {
        layers.push_back(ForestLayer(ForestPhase(frame)));
        for (int y = 0; y < kForestBottom; ++y) {
            for (int x = 0; x < kScreenWidth; ++x) {
                reach.At(x, y).a = std::max(reach.At(x, y).a, layers.back().At(x, y).a);
            }
        }
    }
    std::vector<Canvas> frames;
    for (const Canvas& layer : layers) {
        Canvas frame(kScreenWidth, kForestBottom);
        for (int y = 0; y < kForestBottom; ++y) {
            for (int x = 0; x < kScreenWidth; ++x) {
                if (reach.At(x, y).a == 0 || front.At(x, y).a == kOpaque || KeptClear(x, y)) {
                    continue;
                }
                Rgba pixel = sky.At(x, y);
                pixel.a = kOpaque;
                pixel = paint::Over(paint::Over(pixel, layer.At(x, y)), front.At(x, y));
                frame.At(x, y) = pixel;
            }
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

std::vector<Canvas> BoardScene::SmokeFrames() const
{
    std::vector<Canvas> frames;
    for (int frame = 0; frame < board::kSmokeFrames; ++frame) {
        Canvas canvas(board::kSmokeWidth, board::kSmokeHeight);
        board::PaintSmoke(canvas, static_cast<double>(frame) / board::kSmokeFrames);
        frames.push_back(std::move(canvas));
    }
    return frames;
}

std::vector<Canvas> BoardScene::WaterFrames() const
{
    // Only water that nothing in the finished background covers moves; the rest stays still.
    Canvas still(kScreenWidth, kScreenHeight);
    board::PaintWater(still, 0.0);
    auto open = [&](int x, int y) {
        const Rgba& water = still.At(board::kWaterAnim.x + x, board::kWaterAnim.y + y);
        const Rgba& shown = background.At(board::kWaterAnim.x + x, board::kWaterAnim.y + y);
        return water.a == kOpaque && water.r == shown.r && water.g == shown.g && water.b == shown.b;
    };
    std::vector<Canvas> frames;
    for (int frame = 0; frame < board::kWaterFrames; ++frame) {
        Canvas water(kScreenWidth, kScreenHeight);
        board::PaintWater(water, static_cast<double>(frame) / board::kWaterFrames);
        Canvas canvas(board::kWaterWidth, board::kWaterHeight);
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                if (open(x, y)) {
                    canvas.At(x, y) = water.At(board::kWaterAnim.x + x, board::kWaterAnim.y + y);
                }
            }
        }
        frames.push_back(std::move(canvas));
    }
    return frames;
}
