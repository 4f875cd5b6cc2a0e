#pragma once

#include <functional>
#include <memory>
#include <string>

// Where the files the program writes itself lie on the disk. Beside a program whose data/ can
// be written (the portable layout) every file is where its name says. An installed program's
// data/ is read-only: then each such file goes to the user's own directory of its kind, as
// the XDG base directories name them, with the path it has below data\:
//   the log and the crash report        $XDG_STATE_HOME/quillmark   (~/.local/state/quillmark)
//   highscores, settings, editor layout $XDG_DATA_HOME/quillmark    (~/.local/share/quillmark)
//   the ".rle" sprite caches            $XDG_CACHE_HOME/quillmark   (~/.cache/quillmark)
// Reads take the user's copy when there is one, else the file beside the program, so a saved
// settings file wins over the installed one and an installed cache serves until the user has
// one. The data themselves are always read from beside the program.
class UserFileLocations {
public:
    // Looks up an environment variable; null when it is not set.
    using Environment = std::function<const char*(const char* variable)>;

    UserFileLocations(bool perUser, Environment environment);

    // Decided once, at first use, from the program's own data directory.
    static UserFileLocations& Instance();
    // Puts locations in place of the program's own (tests).
    static void Replace(std::unique_ptr<UserFileLocations> locations);
    // Whether the program writes beside itself: its data/ is a writable directory, or, where
    // data/ is missing, the program's directory is writable (it writes nothing then anyway).
    static bool WritesBesideProgram(const std::string& programDirectory);

    bool IsPerUser() const { return perUser; }
    // The name to open for writing; the directory it goes to is made first.
    std::string WriteName(const std::string& name) const;
    // The name to open for reading: the user's copy when it exists, else name itself.
    std::string ReadName(const std::string& name) const;
    // The name for opening with a C library mode ("rb", "w", "a+", ...).
    std::string OpenName(const std::string& name, const char* mode) const;
    bool HasUserCopy(const std::string& name) const;

private:
    // The name's place among the user's files; empty when it stays where it is.
    std::string UserName(const std::string& name) const;
    // $variable when it holds an absolute path, else fallback below the home directory.
    std::string BaseDirectory(const char* variable, const char* fallback) const;
    std::string HomeDirectory() const;

    bool perUser;
    Environment environment;
};
