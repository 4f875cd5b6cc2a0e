#include "app/Debug.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "files/File.h"
#include "platform/MessageBox.h"
#include "platform/PlatformResult.h"

namespace {

constexpr size_t kMaxLogText = 4095;
// Lines kept for a log that does not exist yet; a program that never opens one must not grow.
constexpr size_t kMaxHeldLines = 200;

std::string FormatText(const char* format, va_list args)
{
    char text[kMaxLogText + 1];
    std::vsnprintf(text, sizeof text, format, args);
    return text;
}

}  // namespace

bool Debug::CreateLogFile(const std::string& name)
{
    errorCount = 0;
    warningCount = 0;
    File file;
    if (!file.OpenDisk(name.c_str(), "w")) {
        ShowErrorBox("Debug::CreateLogFile: Failed to create the log file!");
        return false;
    }
    fileName = name;
    return true;
}

void Debug::WriteHeldLines()
{
    std::lock_guard<std::mutex> guard(lineLock);
    if (fileName.empty() || heldLines.empty()) {
        return;
    }
    AppendToFile("Logged before the log file was opened:\n");
    for (const std::string& line : heldLines) {
        AppendToFile(line);
    }
    if (droppedHeldLines > 0) {
        AppendToFile("(" + std::to_string(droppedHeldLines) + " more lines not kept)\n");
    }
    AppendToFile("\n");
    heldLines.clear();
    droppedHeldLines = 0;
}

void Debug::Log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    WriteLine(FormatText(format, args));
    va_end(args);
}

void Debug::Warning(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatText(format, args);
    va_end(args);
    {
        std::lock_guard<std::mutex> guard(lineLock);
        ++warningCount;
    }
    WriteLine("***WARNING: " + text, Echo::Stderr);
}

void Debug::Error(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatText(format, args);
    va_end(args);
    {
        std::lock_guard<std::mutex> guard(lineLock);
        ++errorCount;
    }
    WriteLine("***ERROR: " + text, Echo::Stderr);
}

void Debug::Fatal(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatText(format, args);
    va_end(args);
    WriteLine(text);
    platform::ShowMessageBox("ERROR", text.c_str());
}

bool Debug::CheckDirectXResult(int32_t result, const char* sourceFile, int line)
{
    if (result == platform::kResultOk) {
        return false;
    }
    char unknown[32];
    const char* name = platform::PlatformResultName(result);
    if (!name) {
        std::snprintf(unknown, sizeof unknown, "Unknown error (%x)", static_cast<unsigned>(result));
        name = unknown;
    }
    Error("DirectX Error (%x) in file %s in line %d: \"%s\"\n", static_cast<unsigned>(result), sourceFile, line,
          name);
    return true;
}

void Debug::ShowErrorBox(const std::string& text)
{
    platform::ShowMessageBox("ERROR", text.c_str());
}

void Debug::WriteLine(const std::string& text, Echo echo)
{
    std::lock_guard<std::mutex> guard(lineLock);
    keptLines.push_back(text);
    ++linesLogged;
    if (keptLines.size() > kKeptLines) {
        keptLines.pop_front();
    }
    if (fileName.empty()) {
        HoldLine(text, echo);
    } else {
        AppendToFile(text);
    }
}

void Debug::HoldLine(const std::string& text, Echo echo)
{
    if (echo == Echo::Stderr) {
        bool ended = !text.empty() && text.back() == '\n';
        std::fprintf(stderr, "%s%s", text.c_str(), ended ? "" : "\n");
        std::fflush(stderr);
    }
    if (heldLines.size() < kMaxHeldLines) {
        heldLines.push_back(text);
    } else {
        ++droppedHeldLines;
    }
}

void Debug::AppendToFile(const std::string& text)
{
    File file;
    if (!file.OpenDisk(fileName.c_str(), "a")) {
        return;
    }
    file.Write(text.data(), static_cast<int>(text.size()));
    // Every entry is a line of its own, even where its text lacks the line end.
    if (text.empty() || text.back() != '\n') {
        file.Write("\n", 1);
    }
}

std::vector<std::string> Debug::LinesSince(uint64_t first, uint64_t& next)
{
    std::lock_guard<std::mutex> guard(lineLock);
    uint64_t oldestKept = linesLogged - keptLines.size();
    std::vector<std::string> lines;
    for (uint64_t number = std::max(first, oldestKept); number < linesLogged; ++number) {
        lines.push_back(keptLines[static_cast<size_t>(number - oldestKept)]);
    }
    next = linesLogged;
    return lines;
}
