#pragma once

#include <array>
#include <memory>

#include "../sprites/ScreenFixture.h"
#include "sprites/AlphaSprite.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/ShadowSprite.h"
#include "sprites/SurfaceSprite.h"

// A scene with every sprite type at known places (for snapshots and allocation counts):
//   background  dark blue (0, 0, 160), whole frame, depth -1
//   mask        red 64 x 64 square, cropped out of a 100 x 100 cell, drawn at (100, 100)
//   glass       white 50 x 50 at alpha 128, at (300, 100)
//   shadow      60 x 40, all darkened, at (500, 100)
//   animation   frame 1 of two: green 30 x 30, at (700, 100)
//   figure      run-length 40 x 60 orange with an alpha-128 top half, bottom-centre at (200, 400),
//               and at scale 0.5 at (400, 400)
//   stretched   the red mask scaled to 32 x 32 at (600, 400)
//   front/back  yellow at depth 3 over purple at depth 2.5 queued after it, at (100, 300) and (120, 320)
class TestScene {
public:
    static constexpr Color kBackground = MakeColor(0, 0, 160);
    static constexpr Color kRed = MakeColor(248, 0, 0);
    static constexpr Color kWhite = MakeColor(248, 248, 248);
    static constexpr Color kGreen = MakeColor(0, 248, 0);
    static constexpr Color kOrange = MakeColor(200, 96, 48);
    static constexpr Color kYellow = MakeColor(248, 248, 0);
    static constexpr Color kPurple = MakeColor(128, 0, 128);

    TestScene()
    {
        background.Create(ScreenImage(1024, 768, kBackground), 1024, 768, 0, 0, false);
        mask.Create(Painted(100, 100, {18, 18, 81, 81}, [](int, int) { return kRed; }), 100, 100, 0, 0, true);
        stretched.Create(ScreenImage(64, 64, kRed), 64, 64, 0, 0, false);
        glass.Create(ScreenImage(50, 50, kWhite), IndexedImage(50, 50, nullptr, [](int, int) { return 128; }), 50, 50,
                     0, 0, false);
        auto shadowMask = std::make_unique<Image>();
        shadowMask->Create(60, 40, 1, true);
        shadow.Create(std::move(shadowMask), 60, 40);
        animation.AddFrame(Surface(ScreenImage(30, 30, kRed)));
        animation.AddFrame(Surface(ScreenImage(30, 30, kGreen)));
        front.Create(ScreenImage(50, 50, kYellow), 50, 50, 0, 0, false);
        back.Create(ScreenImage(50, 50, kPurple), 50, 50, 0, 0, false);
        CreateFigure();
    }

    void Queue()
    {
        mask.Draw(82, 82, 0, 1.0f);
        glass.Draw(300, 100, 0, 1.0f);
        shadow.Draw(500, 100, 0, 1.0f);
        animation.Draw(700, 100, 1, 1.0f);
        figure.DrawAnchored(200, 400, 0, 2.0f, 1.0f);
        figure.DrawAnchored(400, 400, 0, 2.0f, 0.5f);
        stretched.DrawScaled(600, 400, 0, 2.0f, 0.5f, false);
        front.Draw(100, 300, 0, 3.0f);
        back.Draw(120, 320, 0, 2.5f);
        background.Draw(0, 0, 0, -1.0f);
    }

    SurfaceSprite background;
    SurfaceSprite mask;
    SurfaceSprite stretched;
    AlphaSprite glass;
    ShadowSprite shadow;
    AnimatedSprite animation{30, 30};
    AnimatedRLESprite figure;
    SurfaceSprite front;
    SurfaceSprite back;

private:
    static std::unique_ptr<Sprite> Surface(std::unique_ptr<Image> image)
    {
        auto sprite = std::make_unique<SurfaceSprite>();
        int width = image->GetWidth();
        int height = image->GetHeight();
        sprite->Create(std::move(image), width, height, 0, 0, false);
        return sprite;
    }

    void CreateFigure()
    {
        std::array<Color, 256> palette{};
        palette[1] = kOrange;
        auto strip = IndexedImage(40, 60, palette.data(), [](int, int) { return 1; });
        auto alpha = IndexedImage(40, 60, nullptr, [](int, int y) { return y < 30 ? 128 : 255; });
        figure.Create(*strip, alpha.get(), 1, true);
    }
};
