#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/Debug.h"
#include "app/KeyboardInput.h"
#include "files/DataFile.h"
#include "files/TextScrambler.h"
#include "frontend/HighscoreManager.h"
#include "support/TempDir.h"

// A fresh highscore manager and log in a temporary directory with an empty "data" folder,
// and no archive, so the file is read from and written to the disk.
class HighscoreFileTest : public ::testing::Test {
protected:
    static constexpr const char* kDiskName = "data/highscores.dat";

    void SetUp() override
    {
        ReleaseServices();
        Debug::Instance().CreateLogFile("debug.txt");
        dir.Write("data/.keep", "");
    }

    void TearDown() override { ReleaseServices(); }

    static void ReleaseServices()
    {
        HighscoreManager::Release();
        KeyboardInput::Release();
        DataFile::Release();
        Debug::Release();
    }

    static HighscoreManager& Manager() { return HighscoreManager::Instance(); }

    void WritePlain(const std::string& plain) const { dir.Write(kDiskName, Scrambled(plain)); }
    std::string ReadPlain() const
    {
        std::string bytes = dir.Read(kDiskName);
        TextScrambler::Unscramble(bytes.data(), bytes.size());
        return bytes;
    }

    static std::string Scrambled(std::string plain)
    {
        TextScrambler::Scramble(plain.data(), plain.size());
        return plain;
    }

    bool Logged(const std::string& text) const { return dir.Read("debug.txt").find(text) != std::string::npos; }

    TempDir dir;
};
