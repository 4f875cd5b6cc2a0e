#include "app/Debug.h"

#include <cstdarg>
#include <cstdio>

#include "files/File.h"
#include "platform/MessageBox.h"
#include "platform/PlatformResult.h"

namespace {

constexpr size_t kMaxLogText = 4095;

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
    WriteLine("***WARNING: " + text);
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
    WriteLine("***ERROR: " + text);
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

void Debug::WriteLine(const std::string& text)
{
    std::lock_guard<std::mutex> guard(lineLock);
    if (fileName.empty()) {
        return;
    }
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
