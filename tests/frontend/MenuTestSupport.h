#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/AudioEvent.h"
#include "audio/SoundEngine.h"
#include "frontend/HighscoreManager.h"
#include "frontend/MenuPointer.h"
#include "platform/EventPump.h"
#include "render/RenderEngine.h"
#include "spritemanager/SpriteTestSupport.h"
#include "sprites/Sprite.h"
#include "support/RecordingGame.h"
#include "text/FontLoaderUtil.h"
#include "util/Randomizer.h"

// A button picture of three frames that draws nothing: the tests read the render queue.
class MenuTestSprite : public Sprite {
public:
    MenuTestSprite(int spriteWidth, int spriteHeight, int frames)
        : width(spriteWidth), height(spriteHeight), frameCount(frames)
    {
    }

    int GetFrameCount() const override { return frameCount; }
    int GetWidth(int) const override { return width; }
    int GetHeight(int) const override { return height; }
    int GetFullWidth() const override { return width; }
    int GetFullHeight() const override { return height; }
    bool IsPixelTransparent(const SpritePoint&, int) const override { return false; }
    void DrawEx(const DrawInfo&) override {}

private:
    int width;
    int height;
    int frameCount;
};

// A headless display and fresh services, the six board knocks as silent audio events and an
// enabled sound engine, so every knock a button plays becomes a voice the test can count; the
// menu levels' pictures in place.
class MenuTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        ReleaseMenuServices();
        for (int i = 1; i <= 6; ++i) {
            SoundEngine::Instance().AddAudioEvent("brett-hit" + std::to_string(i), AudioEvent());
        }
        SoundEngine::Instance().Enable(true);
        Randomizer::Instance().Seed(1);
        for (const char* label : {"MainMenuBackground", "HelpMenuBackground", "HighscoreBackground"}) {
            AddSprite(label, 1024, 768, 1);
        }
        for (const char* label : {"StartGameButton", "HelpButton", "HighscoreButton", "QuitButton", "MainMenuButton"}) {
            AddSprite(label, 100, 40);
        }
        RecordingGame::Clear();
    }

    void TearDown() override
    {
        ReleaseMenuServices();
        GraphicsTest::TearDown();
    }

    static void ReleaseMenuServices()
    {
        SoundEngine::Release();
        platform::EventPump::Release();
        HighscoreManager::Release();
        MenuPointer::Release();
        FontLoaderUtil::Release();
    }

    static Sprite* AddSprite(const std::string& label, int width, int height, int frames = 3)
    {
        Sprites().StoreSprite(std::make_unique<MenuTestSprite>(width, height, frames), label);
        return Sprites().GetSprite(label);
    }

    static int Knocks() { return SoundEngine::Instance().VoiceCount(); }

    // The queued draws of the sprite, in queue order.
    static std::vector<RenderEngine::Entry> DrawsOf(const Sprite* sprite)
    {
        std::vector<RenderEngine::Entry> draws;
        for (const auto* queue : {&RenderEngine::Instance().GetBackgroundQueue(),
                                  &RenderEngine::Instance().GetDepthQueue()}) {
            for (const auto& entry : *queue) {
                if (entry.sprite == sprite) {
                    draws.push_back(entry);
                }
            }
        }
        return draws;
    }

    // The game's big font with the given glyphs, each two pixels wide, so glyph n starts at
    // source x 3n.
    const Sprite* LoadBigFont(const std::string& glyphs, int spacing) const
    {
        std::vector<Color> pixels;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            pixels.insert(pixels.end(), {0xFFFFFF, 0xFFFFFF, 0xFF00FF});
        }
        dir.Write("data/fonts/IngameFont_big.bmp", Bmp24(static_cast<int>(pixels.size()), 1, pixels));
        EXPECT_TRUE(FontLoaderUtil::Instance().LoadFont("IngameFont_big", 16, spacing, 80, glyphs));
        return Sprites().GetSprite("Font_IngameFont_big");
    }

    // Takes the waiting events and counts the quits among them; each must end the program as
    // the player asked, with the code -1.
    static int QuitsPosted()
    {
        int count = 0;
        platform::Event event;
        while (platform::EventPump::Instance().Poll(event)) {
            if (event.type == platform::EventType::Quit) {
                EXPECT_EQ(event.exitCode, -1);
                ++count;
            }
        }
        return count;
    }

    // A pointer move, press and release at one place, on a level, button or question.
    template <class Target>
    static void ClickAt(Target& target, int x, int y)
    {
        target.MouseMove(x, y);
        target.MouseButtonDown(x, y, false);
        target.LeftButtonUp(x, y);
    }
};
