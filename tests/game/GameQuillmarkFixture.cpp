#include "GameQuillmarkFixture.h"

#include "app/Debug.h"
#include "app/KeyboardInput.h"
#include "audio/SampleManager.h"
#include "audio/SoundEngine.h"
#include "frontend/HighscoreManager.h"
#include "params/Cast.h"
#include "params/Serializer.h"
#include "render/RenderEngine.h"
#include "settings/SettingsManager.h"
#include "sprites/LoadingScreen.h"
#include "sprites/SpriteManager.h"
#include "text/TextDisplay.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, TestElement);

bool RecordingLevel::Init(GameState* owner)
{
    game = owner;
    Record("Init");
    return true;
}

void TestElement::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("TestElement", name);
    serializer.Int("strength", strength);
    serializer.Int("speed", speed);
    serializer.EndSection();
}

void TestSettingsObject::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("TestSettings", name);
    serializer.Int("volume", volume);
    serializer.Float("pitch", pitch);
    serializer.EndSection();
}

void GameQuillmarkFixture::SetUp()
{
    ReleaseServices();
    dir = std::make_unique<TempDir>();
    dir->Write("data/shared/sprites.txt", "");
    dir->Write("data/shared/loadingSprites.txt", "");
    dir->Write("data/shared/sfx.txt", "");
    Debug::Instance().CreateLogFile("data\\debug.txt");
    game = std::make_unique<GameQuillmark>([this] {
        GameQuillmark::LevelTable table;
        for (int number : {0, 3, 4, 5, 6}) {
            table[static_cast<size_t>(number)] = std::make_unique<RecordingLevel>(number, calls);
        }
        return table;
    });
}

void GameQuillmarkFixture::TearDown()
{
    game.reset();
    ReleaseServices();
    dir.reset();
}

void GameQuillmarkFixture::ReleaseServices()
{
    Cast::Release();
    SampleManager::Release();
    SoundEngine::Release();
    LoadingScreen::Release();
    RenderEngine::Release();
    SpriteManager::Release();
    TextDisplay::Release();
    HighscoreManager::Release();
    KeyboardInput::Release();
    SettingsManager::Release();
    Debug::Release();
}

void GameQuillmarkFixture::WriteSettings(const std::string& text) const
{
    dir->Write("data/shared/settings/settings.txt", text);
}

std::string GameQuillmarkFixture::Log() const
{
    return dir->Read("data/debug.txt");
}

void GameQuillmarkFixture::Wait(double seconds)
{
    constexpr float kStep = 0.1f;
    for (double waited = 0.0; waited < seconds; waited += kStep) {
        game->Update(kStep);
    }
}

std::vector<std::string> GameQuillmarkFixture::TakeCalls()
{
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}
