#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/AudioEvent.h"
#include "audio/SoundEngine.h"
#include "frontend/HighscoreManager.h"
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

// A headless display, fresh services, the six board knocks as silent audio events and an
// enabled sound engine, so every knock a button plays becomes a voice the test can count.
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

    // Takes the waiting events; true with the exit code when a quit was among them.
    static bool QuitPosted(int& exitCode)
    {
        platform::Event event;
        while (platform::EventPump::Instance().Poll(event)) {
            if (event.type == platform::EventType::Quit) {
                exitCode = event.exitCode;
                return true;
            }
        }
        return false;
    }
};

// The menu levels' pictures (backgrounds and buttons) in place, the highscore table and the
// fonts made anew for each test.
class MenuLevelFixture : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        HighscoreManager::Release();
        FontLoaderUtil::Release();
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
        HighscoreManager::Release();
        FontLoaderUtil::Release();
        MenuTest::TearDown();
    }
};
