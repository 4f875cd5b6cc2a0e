#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "util/Singleton.h"

// The program's log: plain lines, warnings, errors and fatal messages (also shown in a box).
// Every line opens, appends to and closes the file, so the log is complete after a crash.
// Stream refills may log from their timer threads, so writing and counting take a lock.
class Debug : public Singleton<Debug> {
public:
    // Truncates (or creates) the log file.
    bool CreateLogFile(const std::string& name);
    // Writes the lines logged before the log file existed into it (after its header), so that a
    // start-up failure is found where every other failure is.
    void WriteHeldLines();

    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Warning(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Error(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Fatal(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The editor's window of log lines (windowed display only) shows while this is set.
    void ShowMessageWindow() { windowVisible = true; }
    void HideMessageWindow() { windowVisible = false; }
    bool IsMessageWindowVisible() const { return windowVisible; }
    // The lines logged from number first on (lines are numbered from 0; only the last
    // kKeptLines are kept); next becomes the number after the last one returned.
    std::vector<std::string> LinesSince(uint64_t first, uint64_t& next);
    static constexpr size_t kKeptLines = 4000;

    // Logs a failed platform result with its name; true means the result was a failure.
    bool CheckDirectXResult(int32_t result, const char* sourceFile, int line);

    // A box captioned "ERROR", usable before the log exists.
    static void ShowErrorBox(const std::string& text);

    int ErrorCount() const { return errorCount; }
    int WarningCount() const { return warningCount; }
    const std::string& FileName() const { return fileName; }

private:
    // Warnings and errors logged before the log exists also go to stderr at once: the log may
    // never come to be.
    enum class Echo { None, Stderr };
    void WriteLine(const std::string& text, Echo echo = Echo::None);
    void HoldLine(const std::string& text, Echo echo);
    void AppendToFile(const std::string& text);

    std::mutex lineLock;
    std::vector<std::string> heldLines;
    std::deque<std::string> keptLines;
    uint64_t linesLogged = 0;
    int droppedHeldLines = 0;
    bool windowVisible = false;
    int errorCount = 0;
    int warningCount = 0;
    std::string fileName;
};

#define QM_CHECK_RESULT(result) Debug::Instance().CheckDirectXResult((result), __FILE__, __LINE__)
