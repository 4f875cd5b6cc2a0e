#pragma once

#include "frontend/OnceOverMenuButton.h"

// The question "Wirklich aufhören?" with a yes and a no button, shown by the main level over
// the board when the player presses Escape. The main level reads the answer on each update.
// The keys released since the last frame answer too, each by clicking its button: Y or J yes,
// N no; Left highlights yes, Right no, Up and Down the other one, and Enter or Space clicks
// the highlighted button. As in the menus, a pointer reported again where it was last seen
// leaves the keys' highlight alone.
class QuitQuestion {
public:
    enum Answer : int {
        kNoAnswer = 0,
        kYes = 1,
        kNo = 2,
    };
    // Windows-1252, as every text the fonts draw.
    static constexpr const char* kQuestion = "Wirklich aufh\xF6ren?";
    static constexpr const char* kFontName = "IngameFont_small";
    static constexpr float kFlashTimeSeconds = 0.3f;

    // Places the buttons beside the question, so the font must be registered by now.
    QuitQuestion();

    void Render();
    // Lets the buttons' flashes run.
    void Update(float dtSeconds);
    void KeyUp(int key);
    void MouseButtonDown(int x, int y, bool doubleClick);
    void LeftButtonUp(int x, int y);
    void MouseMove(int x, int y);
    // Both buttons back to normal with their clicks forgotten.
    void Reset();
    // kYes or kNo once the button was clicked, else kNoAnswer.
    int Result() const;

    const OnceOverMenuButton& GetYesButton() const { return yesButton; }
    const OnceOverMenuButton& GetNoButton() const { return noButton; }

private:
    static int HalfQuestionWidth();
    void HighlightByKey(OnceOverMenuButton& button);
    void ClickByKey(OnceOverMenuButton& button);
    OnceOverMenuButton& OtherThanHighlighted();
    OnceOverMenuButton* HoveredButton();

    int halfWidth;
    OnceOverMenuButton yesButton;
    OnceOverMenuButton noButton;
    OnceOverMenuButton* highlighted = nullptr;
};
