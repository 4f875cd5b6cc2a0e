#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/KeyboardInput.h"
#include "files/FilesTestBase.h"
#include "files/TextScrambler.h"
#include "frontend/HighscoreManager.h"
#include "frontend/HighscoreTable.h"
#include "support/TempDir.h"

inline const std::string kHighscoreDiskName = "data/highscores.dat";

inline std::string Scrambled(std::string plain)
{
    TextScrambler::Scramble(plain.data(), plain.size());
    return plain;
}

inline std::string SavedPlain(const TempDir& dir)
{
    std::string bytes = dir.Read(kHighscoreDiskName);
    TextScrambler::Unscramble(bytes.data(), bytes.size());
    return bytes;
}

// Every place of the table as "score name", best first.
inline std::vector<std::string> Rows(const HighscoreTable& table)
{
    std::vector<std::string> rows;
    for (int i = 0; i < table.Size(); ++i) {
        rows.push_back(std::to_string(table.Score(i)) + " " + table.Name(i));
    }
    return rows;
}

// A fresh highscore manager and keyboard in a temporary directory with an empty "data"
// folder and no archive, so the file is read from and written to the disk.
class HighscoreFileTest : public FilesTestBase {
protected:
    void SetUp() override
    {
        FilesTestBase::SetUp();
        ReleaseServices();
        dir.Write("data/.keep", "");
    }

    void TearDown() override
    {
        ReleaseServices();
        FilesTestBase::TearDown();
    }

    static void ReleaseServices()
    {
        HighscoreManager::Release();
        KeyboardInput::Release();
    }

    static HighscoreManager& Manager() { return HighscoreManager::Instance(); }

    void WritePlain(const std::string& plain) const { dir.Write(kHighscoreDiskName, Scrambled(plain)); }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
};
