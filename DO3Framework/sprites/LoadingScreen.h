#pragma once

#include <cstdint>

#include "util/Singleton.h"

class Font;
class Sprite;

// Shows the progress while sprite lists and fonts load: a background, a bar whose frame tells
// how far loading is (blinking near the end) and the percentage. Inactive, it ignores every
// report; the game gives it its two sprites and activates it.
class LoadingScreen : public Singleton<LoadingScreen> {
public:
    static constexpr const char* kFontName = "IngameFont_small";

    // Borrowed from the sprite manager; either may be null (then it is not drawn).
    void SetSprites(Sprite* background, Sprite* bar);
    void SetActive(bool on);
    // Loading is over: later reports are ignored.
    void Finish() { active = false; }
    bool IsActive() const { return active; }

    // Queues the frame for the progress p (0..1); the shown progress only grows. The frame is
    // presented when its percentage is new and the last one has been up for a moment, so that
    // loading never waits on presenting pictures nobody could tell apart.
    void Progress(float p);
    // Progress by delta beyond what is shown.
    void Advance(float delta);
    float GetProgress() const { return progress; }
    // The bar's frame for the shown progress.
    int BarFrame() const;

private:
    bool ShowsSomethingNew() const;
    void QueueFrame() const;
    void QueuePercentage(const Font& font) const;

    Sprite* background = nullptr;
    Sprite* bar = nullptr;
    bool active = false;
    float progress = 0.0f;
    // The percentage on the screen (-1 before the first frame) and when it was presented.
    int presentedPercent = -1;
    uint32_t presentedAt = 0;
};
