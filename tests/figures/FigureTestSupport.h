#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Debug.h"
#include "app/KeyboardInput.h"
#include "audio/AudioEvent.h"
#include "audio/SoundEngine.h"
#include "files/File.h"
#include "game/board/GameMap.h"
#include "game/figures/Direction.h"
#include "game/figures/DwarfModel.h"
#include "game/figures/KnightModel.h"
#include "game/level/QMMainLevel.h"
#include "game/steering/DwarfController.h"
#include "params/AsciiSerializer.h"
#include "params/Cast.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"
#include "support/TempDir.h"
#include "util/Randomizer.h"

// A main level whose figures the test brings into play itself.
class FigureLevel : public QMMainLevel {
public:
    void Enter(GameModel& figure)
    {
        figures.push_back(&figure);
        activeFigures.push_back(&figure);
    }
};

// Frames without pictures: they only give an animation its length.
class BlankStrip : public Sprite {
public:
    explicit BlankStrip(int frames) : frameCount(frames) {}

    int GetFrameCount() const override { return frameCount; }
    int GetWidth(int) const override { return 1; }
    int GetHeight(int) const override { return 1; }
    int GetFullWidth() const override { return 1; }
    int GetFullHeight() const override { return 1; }
    bool IsPixelTransparent(const SpritePoint&, int) const override { return true; }
    void DrawEx(const DrawInfo&) override {}

private:
    int frameCount;
};

// Figures on the real board, in play in a level of their own, with silent sounds, a seeded
// randomizer and the log in a temporary directory. They have no brains unless a test gives them some.
class FigureTest : public ::testing::Test {
protected:
    // A power of two: timers then reach their bounds exactly.
    static constexpr float kFrame = 0.125f;
    static constexpr const char* kStill = "\"maximum Speed\" 0";

    void SetUp() override
    {
        ReleaseServices();
        Debug::Instance().CreateLogFile("debug.txt");
        Randomizer::Instance().Seed(7);
        // The figures' sounds, plain and numbered: of the numbered ones they pick at random.
        for (const char* sound : {"miss", "doppelkopf", "stars", "starsKnight", "hitByGun", "snore", "brett-hit",
                                  "knight-hit", "brett-hitKnight", "bodyfall"}) {
            SoundEngine::Instance().AddAudioEvent(sound, AudioEvent());
            for (int i = 1; i <= 6; ++i) {
                SoundEngine::Instance().AddAudioEvent(sound + std::to_string(i), AudioEvent());
            }
        }
        GameMap::Instance().SetLevel(&level);
    }

    void TearDown() override
    {
        EXPECT_EQ(dir.Read("debug.txt").find("AudioEvent "), std::string::npos) << "a sound the test lacks";
        owned.clear();
        ReleaseServices();
    }

    static void ReleaseServices()
    {
        GameMap::Release();
        Cast::Release();
        KeyboardInput::Release();
        SoundEngine::Release();
        SpriteManager::Release();
        Debug::Release();
    }

    // A board position given in cells.
    static BoardPoint At(float column, float row) { return {column / GameMap::kSize, row / GameMap::kSize}; }

    // Ten frames, at 15 a second two thirds of a second. Figures load their animations when
    // made: store strips before.
    static void AddStrip(const std::string& label)
    {
        SpriteManager::Instance().StoreSprite(std::make_unique<BlankStrip>(10), label);
    }

    DwarfModel& AddDwarf(BoardPoint at, const std::string& settings = "", const std::string& name = "tabor")
    {
        return Add<DwarfModel>("[Dwarf Model] \"F\"\n{\n\"Dwarf Name_string\" \"" + name + "\"\n" + settings, at);
    }

    KnightModel& AddKnight(BoardPoint at, const std::string& settings = "")
    {
        return Add<KnightModel>("[Knight Model] \"F\"\n{\n\"Knight Name_string\" \"stumpf\"\n" + settings, at);
    }

    static void Run(GameModel& figure, float seconds)
    {
        for (int frame = 0; frame < std::lround(seconds / kFrame); ++frame) {
            figure.Update(kFrame);
        }
    }

    // Seconds of frames until done holds (at most ten).
    static float TimeUntil(GameModel& figure, const std::function<bool()>& done)
    {
        float elapsed = 0.0f;
        while (!done() && elapsed < 10.0f) {
            figure.Update(kFrame);
            elapsed += kFrame;
        }
        return elapsed;
    }

    static float TimeIn(GameModel& figure, int state)
    {
        return TimeUntil(figure, [&figure, state] { return figure.GetState() != state; });
    }

    TempDir dir;
    FigureLevel level;

private:
    template <class Figure>
    Figure& Add(const std::string& settings, BoardPoint at)
    {
        auto figure = std::make_unique<Figure>();
        dir.Write("figure.txt", settings + "\n}\n");
        File file;
        EXPECT_TRUE(file.Open("figure.txt", "r"));
        AsciiSerializer reader(file, false);
        figure->Parameters(reader, "F");
        figure->Reset();
        figure->ReplaceController(nullptr);
        figure->SetPosition(at);
        level.Enter(*figure);
        owned.push_back(std::move(figure));
        return static_cast<Figure&>(*owned.back());
    }

    std::vector<std::unique_ptr<GameModel>> owned;
};
