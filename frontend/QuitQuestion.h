#pragma once

#include "frontend/OnceOverMenuButton.h"

// The question "Wirklich aufhören?" with a yes and a no button, shown by the main level over
// the board when the player presses Escape. The main level reads the answer on each update.
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
    void Update(float dtSeconds);
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

    int halfWidth;
    OnceOverMenuButton yesButton;
    OnceOverMenuButton noButton;
};
