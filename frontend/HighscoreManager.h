#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "frontend/HighscoreTable.h"
#include "util/Singleton.h"

// Owns the highscore tables and keeps them in "data\highscores.dat" (of an installed program, in
// the user's own directory: UserFileLocations): a scrambled text file
// of a format line and one "score name:name" line per entry, tables in ascending id order.
// It also carries the result of the game just played from the main level to the highscore
// level, so neither has to know the other.
class HighscoreManager : public Singleton<HighscoreManager> {
public:
    static constexpr const char* kFileName = "data\\highscores.dat";
    // Where a file that did not load is kept instead of being saved over.
    static constexpr const char* kSetAsideName = "data\\highscores.dat.bad";
    // Far beyond any table the game writes; a larger file is not read.
    static constexpr int kMaxFileBytes = 1 << 20;
    static constexpr int kFormatNumber = 108;
    static constexpr int32_t kNoResult = -1;
    // The one table the game keeps, created at start-up with its defaults.
    static constexpr int kGameTableId = 1;
    static constexpr int kGameTableSize = 8;

    // The table with this id, created with size entries if it does not exist yet; an
    // existing table keeps its size.
    HighscoreTable& GetTable(int id, int size);

    // Creates the game's table if needed and fills it with the default names and scores.
    void SetUpGameTable();

    // Reads the file from the disk (never from the archive, where a packed copy would hide
    // every later save) into the existing tables. A missing, foreign or unreadable file, or
    // anything but a regular file, changes nothing.
    bool Load();
    // Writes every table. The file is replaced only once the new one is complete, so a failed
    // save leaves the old file and the tables in memory as they were. A file that the last
    // Load found but could not read completely is first moved aside to kSetAsideName.
    bool Save();

    // The points of the game just played, kNoResult when there are none to offer.
    void SetResultScore(int32_t score) { resultScore = score; }
    int32_t ResultScore() const { return resultScore; }

private:
    bool ReadTables(const std::string& text);
    std::string PlainText() const;
    bool SetAsideUnreadFile();

    std::map<int, std::unique_ptr<HighscoreTable>> tables;
    int32_t resultScore = kNoResult;
    bool unreadFileOnDisk = false;
};
