#include "frontend/MenuButton.h"

#include <utility>

#include "app/Debug.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"

MenuButton::MenuButton(const std::string& name, int x, int y, const std::string& firstSound,
                       const std::string& secondSound)
    : sprite(SpriteManager::Instance().GetSprite(name)),
      posX(x),
      posY(y),
      firstSoundName(firstSound),
      secondSoundName(secondSound),
      spriteName(name)
{
    if (!sprite) {
        Debug::Instance().Warning("MenuButton, Sprite %s not found\n", name.c_str());
        return;
    }
    boxWidth = sprite->GetFullWidth();
    boxHeight = sprite->GetFullHeight();
}

MenuButton::~MenuButton() = default;

void MenuButton::Render()
{
    if (sprite) {
        sprite->Draw(posX, posY, state, kDepth);
    }
}

void MenuButton::MouseButtonDown(int x, int y, bool)
{
    UnhighlightUnlessAt(x, y);
    if (state == kHovered) {
        state = kPressed;
    }
    clicked = false;
}

void MenuButton::LeftButtonUp(int, int)
{
    if (state != kPressed) {
        clicked = false;
        return;
    }
    if (action) {
        action->Execute();
    }
    clicked = true;
}

void MenuButton::MouseMove(int x, int y)
{
    if (!Contains(x, y)) {
        Unhighlight();
    } else if (state == kNormal) {
        state = kHovered;
    }
    clicked = false;
}

void MenuButton::Update(float) {}

void MenuButton::Reset()
{
    Unhighlight();
    clicked = false;
}

void MenuButton::Highlight()
{
    if (state == kNormal) {
        state = kHovered;
    }
    keyHighlighted = true;
}

void MenuButton::Unhighlight()
{
    state = kNormal;
    keyHighlighted = false;
}

void MenuButton::UnhighlightUnlessAt(int x, int y)
{
    if (keyHighlighted && !Contains(x, y)) {
        Unhighlight();
    }
}

void MenuButton::PressByKey()
{
    MouseButtonDown(posX, posY, false);
}

void MenuButton::ReleaseByKey()
{
    LeftButtonUp(posX, posY);
}

void MenuButton::SetAction(std::unique_ptr<ButtonAction> buttonAction)
{
    action = std::move(buttonAction);
}

bool MenuButton::Contains(int x, int y) const
{
    return x >= posX && x < posX + boxWidth && y >= posY && y < posY + boxHeight;
}
