#include "frontend/OnceOverMenuButton.h"

#include <string>

#include "audio/SoundEngine.h"
#include "audio/Voice.h"
#include "sprites/Sprite.h"
#include "util/Randomizer.h"

OnceOverMenuButton::OnceOverMenuButton(const std::string& name, int x, int y, float flashTimeSeconds)
    : MenuButton(name, x, y, "", ""), flashTime(flashTimeSeconds)
{
}

void OnceOverMenuButton::Render()
{
    if (Sprite* picture = GetSprite()) {
        picture->Draw(GetX(), GetY(), frameShown, kDepth);
    }
}

void OnceOverMenuButton::MouseButtonDown(int x, int y, bool)
{
    UnhighlightUnlessAt(x, y);
    if (GetState() == kHovered) {
        SetState(kPressed);
        Flash(kPressed);
    }
    SetClicked(false);
}

void OnceOverMenuButton::MouseMove(int x, int y)
{
    if (!Contains(x, y)) {
        Unhighlight();
    } else if (GetState() == kNormal) {
        SetState(kHovered);
        Flash(kHovered);
    }
}

void OnceOverMenuButton::Update(float dtSeconds)
{
    flashTimer -= dtSeconds;
    if (flashTimer < 0.0f) {
        frameShown = IsKeyHighlighted() ? kHovered : kNormal;
    }
}

void OnceOverMenuButton::Highlight()
{
    const bool entering = GetState() == kNormal;
    MenuButton::Highlight();
    if (entering) {
        Flash(kHovered);
    }
}

void OnceOverMenuButton::Reset()
{
    MenuButton::Reset();
    frameShown = kNormal;
    flashTimer = 0.0f;
}

void OnceOverMenuButton::Flash(int frame)
{
    frameShown = frame;
    flashTimer = flashTime;
    PlayKnock();
}

void OnceOverMenuButton::PlayKnock()
{
    std::string name = "brett-hit" + std::to_string(Randomizer::Instance().Pick(kKnockSounds) + 1);
    if (Voice* voice = SoundEngine::Instance().PlayAudioEvent(name)) {
        voice->Play();
    }
}
