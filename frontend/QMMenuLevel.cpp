#include "frontend/QMMenuLevel.h"

#include <utility>

#include "app/Debug.h"
#include "frontend/ChangeLevelAction.h"
#include "frontend/MenuPointer.h"
#include "frontend/OnceOverMenuButton.h"
#include "params/Serializer.h"
#include "platform/VirtualKeys.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"

namespace {

int StepOfArrow(int key)
{
    switch (key) {
    case vk::kLeft:
    case vk::kUp:
        return -1;
    case vk::kRight:
    case vk::kDown:
        return 1;
    default:
        return 0;
    }
}

bool IsPressKey(int key)
{
    return key == vk::kReturn || key == vk::kSpace;
}

}  // namespace

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
    highlighted = kNoHighlight;
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
    // A press away from the highlighted button has ended its highlight.
    highlighted = HoveredButton();
}

void QMMenuLevel::LeftButtonUp(int x, int y)
{
    for (auto& button : buttons) {
        button->LeftButtonUp(x, y);
    }
}

void QMMenuLevel::MouseMove(int x, int y)
{
    // Only a report elsewhere takes the highlight from the keys.
    if (!MenuPointer::Instance().MovedTo(x, y) && KeysHoldHighlight()) {
        return;
    }
    for (auto& button : buttons) {
        button->MouseMove(x, y);
    }
    highlighted = HoveredButton();
}

void QMMenuLevel::KeyDown(int key)
{
    NavigateKeyDown(key);
}

void QMMenuLevel::KeyUp(int key)
{
    NavigateKeyUp(key);
}

bool QMMenuLevel::NavigateKeyDown(int key)
{
    const int step = StepOfArrow(key);
    const bool anyToHighlight = NextWithPicture(-1, 1) != kNoHighlight;
    if (step != 0 && anyToHighlight) {
        MoveHighlight(step);
        return true;
    }
    MenuButton* button = HighlightedButton();
    if (!IsPressKey(key) || !button) {
        return false;
    }
    button->PressByKey();
    pressedByKey = true;
    return true;
}

bool QMMenuLevel::NavigateKeyUp(int key)
{
    MenuButton* button = HighlightedButton();
    if (!IsPressKey(key) || !button || !pressedByKey) {
        return false;
    }
    pressedByKey = false;
    // The click may switch the level; nothing of this one is touched after it.
    button->ReleaseByKey();
    return true;
}

bool QMMenuLevel::AnyButtonClicked() const
{
    for (const auto& button : buttons) {
        if (button->IsClicked()) {
            return true;
        }
    }
    return false;
}

void QMMenuLevel::MoveHighlight(int step)
{
    if (MenuButton* previous = HighlightedButton()) {
        previous->Unhighlight();
    }
    // From none, the first step lands on the first button (or the last, going back).
    const int from = highlighted == kNoHighlight ? (step > 0 ? -1 : static_cast<int>(buttons.size())) : highlighted;
    highlighted = NextWithPicture(from, step);
    if (MenuButton* button = HighlightedButton()) {
        button->Highlight();
    }
}

int QMMenuLevel::NextWithPicture(int from, int step) const
{
    const int count = static_cast<int>(buttons.size());
    int index = from;
    for (int tried = 0; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        if (buttons[static_cast<size_t>(index)]->HasPicture()) {
            return index;
        }
    }
    return kNoHighlight;
}

MenuButton* QMMenuLevel::HighlightedButton() const
{
    return highlighted == kNoHighlight ? nullptr : buttons[static_cast<size_t>(highlighted)].get();
}

bool QMMenuLevel::KeysHoldHighlight() const
{
    const MenuButton* button = HighlightedButton();
    return button && button->IsKeyHighlighted();
}

int QMMenuLevel::HoveredButton() const
{
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->GetState() != MenuButton::kNormal) {
            return static_cast<int>(i);
        }
    }
    return kNoHighlight;
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
    highlighted = kNoHighlight;
    pressedByKey = false;
}
