#include "crash/CrashHandler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <ctime>
#include <string>

#include "files/UserFileLocations.h"

namespace {

constexpr const char* kCrashFile = "data/crash.txt";
// Where the report goes, settled before any crash: the handler may not allocate.
std::string crashFile = kCrashFile;
constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kMaxFrames = 64;

// A stack of its own, so that a stack overflow can still be reported.
alignas(16) char alternateStack[64 * 1024];

// Everything below runs inside the signal handler: only async-signal-safe calls.

void WriteText(int fd, const char* text)
{
    size_t length = std::strlen(text);
    while (length > 0) {
        ssize_t written = ::write(fd, text, length);
        if (written <= 0) {
            return;
        }
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void WriteNumber(int fd, unsigned long value, unsigned base)
{
    char digits[32];
    char* end = digits + sizeof digits - 1;
    *end = '\0';
    char* start = end;
    do {
        *--start = "0123456789abcdef"[value % base];
        value /= base;
    } while (value > 0 && start > digits);
    WriteText(fd, start);
}

const char* SignalName(int signal)
{
    switch (signal) {
    case SIGSEGV: return "SIGSEGV (segmentation fault)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGFPE: return "SIGFPE (arithmetic error)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGABRT: return "SIGABRT (abort)";
    default: return "unknown signal";
    }
}

void WriteReport(int fd, int signal, const siginfo_t* info, void* const* frames, int frameCount)
{
    WriteText(fd, "---------------------------------------------------\n");
    WriteText(fd, "Crash: signal ");
    WriteNumber(fd, static_cast<unsigned long>(signal), 10);
    WriteText(fd, " ");
    WriteText(fd, SignalName(signal));
    if (signal != SIGABRT && info) {
        WriteText(fd, " at address 0x");
        WriteNumber(fd, reinterpret_cast<unsigned long>(info->si_addr), 16);
    }
    WriteText(fd, "\nTime: ");
    WriteNumber(fd, static_cast<unsigned long>(std::time(nullptr)), 10);
    WriteText(fd, " seconds since 1970\nStack trace:\n");
    backtrace_symbols_fd(frames, frameCount, fd);
    WriteText(fd, "\n");
}

void OnCrash(int signal, siginfo_t* info, void*)
{
    void* frames[kMaxFrames];
    int frameCount = backtrace(frames, kMaxFrames);
    WriteReport(STDERR_FILENO, signal, info, frames, frameCount);
    int fd = ::open(crashFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        WriteReport(fd, signal, info, frames, frameCount);
        ::close(fd);
    }
    // The handler was reset on entry: raising again ends the program with the default action.
    std::raise(signal);
}

}  // namespace

void InstallCrashHandler()
{
    crashFile = UserFileLocations::Instance().WriteName(kCrashFile);
    // The first backtrace loads the unwinder; doing it now keeps the handler free of allocation.
    void* warmUp[1];
    backtrace(warmUp, 1);

    stack_t stack {};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = &OnCrash;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (int signal : kCrashSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

const char* CrashFileName()
{
    return crashFile.c_str();
}
