#pragma once

// Installed first thing at start: a crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) appends
// the signal and a stack trace to "data/crash.txt" beside the log (of an installed program, in the
// user's state directory: UserFileLocations), and to stderr, and then ends the program as the
// signal would have without the handler.
void InstallCrashHandler();

// The file the report is appended to; a relative name counts from the working directory at the
// time of the crash.
const char* CrashFileName();
