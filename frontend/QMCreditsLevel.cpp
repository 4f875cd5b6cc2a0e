#include "frontend/QMCreditsLevel.h"

#include <cstdio>
#include <memory>

#include "app/Debug.h"
#include "files/TextFileLines.h"
#include "frontend/ChangeLevelAction.h"
#include "frontend/MenuLevelNumber.h"
#include "platform/Clock.h"
#include "text/TextDisplay.h"

QMCreditsLevel::QMCreditsLevel() : counterFrequency(platform::Clock::PerformanceFrequency()) {}

bool QMCreditsLevel::Init(GameState* owningGame)
{
    QMMenuLevel::Init(owningGame);
    SetBackground("MainMenuBackground");
    AddButton(std::make_unique<MenuButton>("MainMenuButton", 30, 550, "rolloverSound", "clickSound"))
        .SetAction(std::make_unique<ChangeLevelAction>(menulevel::kMainMenu, owningGame));
    ReadCredits();
    return true;
}

void QMCreditsLevel::ReadCredits()
{
    lines.clear();
    if (!ReadTextFileLines(kFileName, lines)) {
        Debug::Instance().Error("QMCreditLevel Failed to open data\\shared\\credits.txt!\n");
    }
}

void QMCreditsLevel::Activate()
{
    QMMenuLevel::Activate();
    RestartScroll();
}

void QMCreditsLevel::RestartScroll()
{
    scrollOffset = kStartOffset;
    firstVisibleLine = 0;
}

void QMCreditsLevel::Update(float dtSeconds)
{
    UpdateButtons(dtSeconds);
    scrollOffset -= dtSeconds * kScrollSpeedPixelsPerSecond;
    int count = static_cast<int>(lines.size());
    while (firstVisibleLine < count && scrollOffset + kLineHeight < 0.0f) {
        ++firstVisibleLine;
        scrollOffset += kLineHeight;
    }
    if (firstVisibleLine >= count) {
        RestartScroll();
    }
}

void QMCreditsLevel::Render()
{
    QMMenuLevel::Render();
    TextDisplay::Instance().SetFont(kFontName);
    uint64_t startCount = platform::Clock::PerformanceCounter();
    RenderLines();
    RenderTiming(startCount, platform::Clock::PerformanceCounter());
}

void QMCreditsLevel::RenderLines() const
{
    const TextDisplay& text = TextDisplay::Instance();
    int count = static_cast<int>(lines.size());
    int y = static_cast<int>(scrollOffset + 0.5f);
    for (int i = firstVisibleLine; i < count && y < kTextBottom; ++i) {
        text.DrawText(kTextX, y, lines[static_cast<size_t>(i)]);
        y += static_cast<int>(kLineHeight);
    }
}

void QMCreditsLevel::RenderTiming(uint64_t startCount, uint64_t endCount) const
{
    double seconds = counterFrequency == 0
                         ? 0.0
                         : static_cast<double>(endCount - startCount) / static_cast<double>(counterFrequency);
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.6f", seconds);
    TextDisplay::Instance().DrawText(kTimingX, kTimingY, figure);
}
