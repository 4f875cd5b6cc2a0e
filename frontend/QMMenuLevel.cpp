#include "frontend/QMMenuLevel.h"

#include <utility>

#include "app/Debug.h"
#include "frontend/ChangeLevelAction.h"
#include "frontend/OnceOverMenuButton.h"
#include "params/Serializer.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"

QMMenuLevel::QMMenuLevel() = default;

QMMenuLevel::~QMMenuLevel() = default;

bool QMMenuLevel::Init(GameState* owningGame)
{
    game = owningGame;
    return true;
}

void QMMenuLevel::Exit()
{
    Debug::Instance().Log("QMMenuLevel Exit\n");
    buttons.clear();
    Debug::Instance().Log("QMMenuLevel Exit Done\n");
}

void QMMenuLevel::Activate()
{
    Debug::Instance().Log("QMMenuLevel Reset\n");
    ResetButtons();
    Debug::Instance().Log("QMMenuLevel Reset Done\n");
}

void QMMenuLevel::Update(float dtSeconds)
{
    UpdateButtons(dtSeconds);
}

void QMMenuLevel::Render()
{
    if (background) {
        background->Draw(0, 0, kBackgroundFrame, kBackgroundDepth);
    }
    for (auto& button : buttons) {
        button->Render();
    }
}

void QMMenuLevel::MouseButtonDown(int x, int y, bool doubleClick)
{
    for (auto& button : buttons) {
        button->MouseButtonDown(x, y, doubleClick);
    }
}

void QMMenuLevel::LeftButtonUp(int x, int y)
{
    for (auto& button : buttons) {
        button->LeftButtonUp(x, y);
    }
}

void QMMenuLevel::MouseMove(int x, int y)
{
    for (auto& button : buttons) {
        button->MouseMove(x, y);
    }
}

void QMMenuLevel::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("LevelParameter", name);
    serializer.EndSection();
}

void QMMenuLevel::SetBackground(const std::string& label)
{
    background = SpriteManager::Instance().GetSprite(label);
}

MenuButton& QMMenuLevel::AddButton(std::unique_ptr<MenuButton> button)
{
    buttons.push_back(std::move(button));
    return *buttons.back();
}

MenuButton& QMMenuLevel::AddLevelButton(const std::string& spriteName, int x, int y, float flashTimeSeconds,
                                        int level)
{
    auto button = std::make_unique<OnceOverMenuButton>(spriteName, x, y, flashTimeSeconds);
    button->SetAction(std::make_unique<ChangeLevelAction>(level, game));
    return AddButton(std::move(button));
}

void QMMenuLevel::UpdateButtons(float dtSeconds)
{
    for (auto& button : buttons) {
        button->Update(dtSeconds);
    }
}

void QMMenuLevel::ResetButtons()
{
    for (auto& button : buttons) {
        button->Reset();
    }
}
