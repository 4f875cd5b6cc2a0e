#include "platform/OpenURL.h"

#include <SDL.h>

namespace platform {

bool OpenURL(const std::string& address)
{
    return !address.empty() && SDL_OpenURL(address.c_str()) == 0;
}

}  // namespace platform
