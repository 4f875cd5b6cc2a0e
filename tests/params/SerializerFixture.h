#pragma once

#include <string>

#include <gtest/gtest.h>

#include "app/Debug.h"
#include "files/File.h"
#include "params/AsciiSerializer.h"
#include "params/Object.h"
#include "support/TempDir.h"

// The two directions of a settings file block.
inline void WriteBlock(const std::string& path, const std::string& name, Object& object)
{
    File file;
    ASSERT_TRUE(file.OpenDisk(path.c_str(), "w"));
    AsciiSerializer writer(file, true);
    writer.SubObject(name, &object);
}

inline void ReadBlock(const std::string& path, const std::string& name, Object& object)
{
    File file;
    ASSERT_TRUE(file.Open(path.c_str(), "r"));
    AsciiSerializer reader(file, false);
    reader.SubObject(name, &object);
}

// A temporary directory with its own log.
class SerializerFixture : public ::testing::Test {
protected:
    SerializerFixture() { Debug::Instance().CreateLogFile("log.txt"); }

    std::string Log() const { return dir.Read("log.txt"); }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }

    TempDir dir;
};
