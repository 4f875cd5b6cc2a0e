#pragma once

// Installed first thing at start: a crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) appends
// the signal and a stack trace to "data/crash.txt" beside the log, and to stderr, and then
// ends the program as the signal would have without the handler.
void InstallCrashHandler();

// The file the report is appended to, relative to the working directory at the time of the crash.
const char* CrashFileName();
