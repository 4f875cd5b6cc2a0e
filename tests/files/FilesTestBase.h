#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/Debug.h"
#include "files/DataFile.h"
#include "support/TempDir.h"

// Each test runs in its own directory with the log written there, and leaves no archive open.
class FilesTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFile::Release();
        Debug::Release();
        Debug::Instance().CreateLogFile("log.txt");
    }
    void TearDown() override
    {
        DataFile::Release();
        Debug::Release();
    }
    std::string Log() const { return dir.Read("log.txt"); }
    // Writes the archive and opens it.
    void OpenArchive(const std::string& bytes)
    {
        dir.Write("datafile.dat", bytes);
        ASSERT_TRUE(DataFile::Instance().Open("datafile.dat"));
        ASSERT_TRUE(DataFile::Instance().IsAvailable());
    }

    TempDir dir;
};
