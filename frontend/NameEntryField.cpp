#include "frontend/NameEntryField.h"

#include <cmath>

#include "app/KeyboardInput.h"
#include "platform/EventPump.h"
#include "platform/VirtualKeys.h"
#include "text/Font.h"
#include "text/TextDisplay.h"

namespace {

// The cursor shows for one quarter of a second and hides for the next.
constexpr float kBlinkPhasesPerSecond = 4.0f;
constexpr float kBlinkPeriodSeconds = 2.0f / kBlinkPhasesPerSecond;
constexpr const char* kCursor = "|";

int PlatformCharacterOfKey(int virtualKey)
{
    return platform::EventPump::Instance().CharacterOfKey(virtualKey);
}

}  // namespace

NameEntryField::NameEntryField(std::string font, int widthPixels)
    : fontName(std::move(font)), maxWidthPixels(widthPixels), characterOfKey(PlatformCharacterOfKey)
{
}

void NameEntryField::Reset()
{
    text.clear();
    blinkSeconds = 0.0f;
}

bool NameEntryField::Update(float dt)
{
    // Kept within one blink period, so a long wait does not wear away the float's precision.
    blinkSeconds = std::fmod(blinkSeconds + dt, kBlinkPeriodSeconds);
    int key = KeyboardInput::Instance().LastReleasedKey();
    switch (key) {
    case 0:
        return false;
    case vk::kReturn:
    case vk::kEscape:
        return true;
    case vk::kBack:
        if (!text.empty()) {
            text.pop_back();
        }
        return false;
    default:
        Type(key);
        return false;
    }
}

void NameEntryField::Type(int key)
{
    int character = characterOfKey ? characterOfKey(key) : 0;
    if (Accepts(character)) {
        text += static_cast<char>(character);
    }
}

bool NameEntryField::Accepts(int character) const
{
    if (character <= 0 || character > 0xFF || text.size() >= kMaxTextLength) {
        return false;
    }
    const TextDisplay& display = TextDisplay::Instance();
    const Font* font = display.FindFont(fontName);
    if (!font) {
        return false;
    }
    unsigned char c = static_cast<unsigned char>(character);
    if (c != ' ' && !font->FindGlyph(c)) {
        return false;
    }
    return display.GetTextWidth(fontName, text + static_cast<char>(c)) <= maxWidthPixels;
}

std::string NameEntryField::DisplayText() const
{
    bool cursorShown = static_cast<int>(blinkSeconds * kBlinkPhasesPerSecond) % 2 == 1;
    return cursorShown ? text + kCursor : text;
}
