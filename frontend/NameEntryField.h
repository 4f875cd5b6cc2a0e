#pragma once

#include <functional>
#include <string>
#include <utility>

// A one-line text input for a name: takes the key released in the last frame, accepts only
// characters its font can draw (or a blank) while the text fits its width, and shows a
// blinking cursor.
class NameEntryField {
public:
    // The character a virtual key typed, 0 if none.
    using CharacterOfKey = std::function<int(int virtualKey)>;

    static constexpr size_t kMaxTextLength = 99;

    // Characters come from the platform's keyboard translation unless another is set.
    NameEntryField(std::string fontName, int maxWidthPixels);
    void SetCharacterOfKey(CharacterOfKey translation) { characterOfKey = std::move(translation); }

    // Starts a new entry: empty text, cursor shown from the next quarter second.
    void Reset();
    // True when Enter or Escape has ended the typing.
    bool Update(float dt);

    const std::string& Text() const { return text; }
    // The text with the cursor while it is shown.
    std::string DisplayText() const;

private:
    void Type(int key);
    bool Accepts(int character) const;

    std::string fontName;
    int maxWidthPixels;
    CharacterOfKey characterOfKey;
    std::string text;
    float blinkSeconds = 0.0f;
};
