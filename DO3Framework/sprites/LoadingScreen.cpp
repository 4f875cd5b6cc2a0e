#include "sprites/LoadingScreen.h"

#include <string_view>

#include "display/DirectDraw.h"
#include "platform/Clock.h"
#include "render/RenderEngine.h"
#include "sprites/Sprite.h"
#include "text/Font.h"
#include "text/TextDisplay.h"

namespace {

constexpr float kBackgroundDepth = -1.0f;
constexpr float kBarDepth = 1.0f;
constexpr int kBarX = 423;
constexpr int kBarY = 112;
constexpr float kBlinkFrom = 0.95f;
constexpr int kBlinkPeriodPercent = 20;
constexpr int kBlinkOnPercent = 11;
constexpr int kTextX = 435;
constexpr int kTextY = 420;
// The hundred's "1" sits a little right of its cell.
constexpr int kHundredX = 444;
constexpr int kCellPadding = 3;
// Forty pictures a second let the bar move smoothly; a display that waits for its refresh on
// each picture then costs the loading little.
constexpr uint32_t kMinPresentMilliseconds = 25;

enum BarFrames {
    kBarDark = 0,
    kBarLit = 1,
    kBarFilling = 2,
};

int Percent(float progress)
{
    return static_cast<int>(progress * 100.0f);
}

void DrawDigit(const Font& font, int x, int digit)
{
    char c = static_cast<char>('0' + digit);
    font.DrawText(x, kTextY, std::string_view(&c, 1));
}

}  // namespace

void LoadingScreen::SetSprites(Sprite* backgroundSprite, Sprite* barSprite)
{
    background = backgroundSprite;
    bar = barSprite;
    presentedPercent = -1;
}

void LoadingScreen::SetActive(bool on)
{
    active = on;
    presentedPercent = -1;
}

void LoadingScreen::Progress(float p)
{
    if (!active) {
        return;
    }
    RenderEngine::Instance().Clear();
    float clamped = p > 0.0f ? (p < 1.0f ? p : 1.0f) : 0.0f;
    if (clamped > progress) {
        progress = clamped;
    }
    QueueFrame();
    if (!ShowsSomethingNew()) {
        return;
    }
    RenderEngine::Instance().Flush();
    DirectDraw::Instance().Present();
    presentedPercent = Percent(progress);
    presentedAt = platform::Clock::Milliseconds();
}

bool LoadingScreen::ShowsSomethingNew() const
{
    if (presentedPercent < 0) {
        return true;
    }
    return Percent(progress) != presentedPercent &&
           platform::Clock::Milliseconds() - presentedAt >= kMinPresentMilliseconds;
}

void LoadingScreen::Advance(float delta)
{
    Progress(progress + delta);
}

int LoadingScreen::BarFrame() const
{
    if (progress < kBlinkFrom) {
        return kBarFilling;
    }
    return Percent(progress) % kBlinkPeriodPercent < kBlinkOnPercent ? kBarLit : kBarDark;
}

void LoadingScreen::QueueFrame() const
{
    if (background) {
        background->Draw(0, 0, 0, kBackgroundDepth);
    }
    if (bar) {
        bar->Draw(kBarX, kBarY, BarFrame(), kBarDepth);
    }
    if (const Font* font = TextDisplay::Instance().FindFont(kFontName)) {
        QueuePercentage(*font);
    }
}

void LoadingScreen::QueuePercentage(const Font& font) const
{
    int eightWidth = font.GetCharWidth('8');
    int cell = eightWidth + kCellPadding;
    int percent = Percent(progress);
    if (percent >= 100) {
        DrawDigit(font, kHundredX + eightWidth, 1);
        DrawDigit(font, kTextX + 2 * cell, 0);
        DrawDigit(font, kTextX + 3 * cell, 0);
    } else {
        if (percent >= 10) {
            DrawDigit(font, kTextX + 2 * cell, percent / 10);
        }
        DrawDigit(font, kTextX + 3 * cell, percent % 10);
    }
    font.DrawText(kTextX + 4 * cell, kTextY, "%");
}
