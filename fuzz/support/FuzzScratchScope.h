#pragma once

#include <string>

// Makes the scratch directory the working directory for readers whose file names are fixed
// relative paths ("data\..."), and returns to the previous one at the end of the scope.
class FuzzScratchScope {
public:
    FuzzScratchScope();
    ~FuzzScratchScope();
    FuzzScratchScope(const FuzzScratchScope&) = delete;
    FuzzScratchScope& operator=(const FuzzScratchScope&) = delete;

private:
    std::string previous;
};
