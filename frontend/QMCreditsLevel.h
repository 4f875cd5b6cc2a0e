#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/QMMenuLevel.h"

// Level 4: the credit lines of "Data\Shared\Credits.txt" scroll up over the title picture and
// start again from the bottom once the last one has left the top. The screen also shows how
// long drawing its text took.
class QMCreditsLevel : public QMMenuLevel {
public:
    static constexpr const char* kFileName = "Data\\Shared\\Credits.txt";
    static constexpr const char* kFontName = "IngameFont_big";
    static constexpr float kScrollSpeedPixelsPerSecond = 10.0f;
    static constexpr float kStartOffset = 600.0f;
    static constexpr float kLineHeight = 50.0f;
    static constexpr int kTextX = 40;
    // Lines start no lower than this.
    static constexpr int kTextBottom = 600;
    static constexpr int kTimingX = 600;
    static constexpr int kTimingY = 20;

    QMCreditsLevel();

    bool Init(GameState* game) override;
    void Activate() override;
    void Update(float dtSeconds) override;
    void Render() override;

    const std::vector<std::string>& GetLines() const { return lines; }
    float GetScrollOffset() const { return scrollOffset; }
    int GetFirstVisibleLine() const { return firstVisibleLine; }

private:
    void ReadCredits();
    void RestartScroll();
    void RenderLines() const;
    void RenderTiming(uint64_t startCount, uint64_t endCount) const;

    std::vector<std::string> lines;
    float scrollOffset = kStartOffset;
    int firstVisibleLine = 0;
    uint64_t counterFrequency = 0;
};
