#pragma once

#include <cstdint>
#include <deque>
#include <string>

// The log's lines in a window (F9), warnings and errors in their own colours, filtered by
// kind and by a text. Shown while the log's message window is requested; closing the window
// withdraws the request.
class CMessagesWindow {
public:
    static constexpr size_t kShownLines = 4000;

    void Draw();

private:
    enum class Kind { Plain, Warning, Error };

    static Kind KindOf(const std::string& line);
    void TakeNewLines();
    bool Passes(const std::string& line) const;
    void DrawFilters();
    void DrawLines();

    std::deque<std::string> lines;
    uint64_t nextLine = 0;
    char filter[128] = {};
    bool showPlain = true;
    bool showWarnings = true;
    bool showErrors = true;
    bool followEnd = true;
};
