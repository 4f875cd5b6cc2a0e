#include "support/FuzzScratchScope.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "support/FuzzTempFile.h"

FuzzScratchScope::FuzzScratchScope() : previous(std::filesystem::current_path().string())
{
    if (chdir(FuzzTempFile::Directory().c_str()) != 0) {
        std::perror("chdir");
        std::abort();
    }
}

FuzzScratchScope::~FuzzScratchScope()
{
    if (chdir(previous.c_str()) != 0) {
        std::perror("chdir");
        std::abort();
    }
}
