#include "platform/ProgramDirectory.h"

#include <SDL.h>

#include <unistd.h>

namespace platform {

std::string ProgramDirectory()
{
    char* base = SDL_GetBasePath();
    if (!base) {
        return {};
    }
    std::string directory = base;
    SDL_free(base);
    return directory;
}

bool ChangeToProgramDirectory()
{
    std::string directory = ProgramDirectory();
    return !directory.empty() && ::chdir(directory.c_str()) == 0;
}

}  // namespace platform
