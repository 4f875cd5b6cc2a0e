#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/TextEncoding.h"

namespace platform {
namespace {

bool HasDisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver) {
        return std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
    }
    const char* wanted = std::getenv("SDL_VIDEODRIVER");
    if (wanted && (std::strcmp(wanted, "dummy") == 0 || std::strcmp(wanted, "offscreen") == 0)) {
        return false;
    }
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

void ShowBox(Uint32 kind, const char* caption, const char* text)
{
    std::string utf8Caption = Utf8FromCp1252(caption);
    std::string utf8Text = Utf8FromCp1252(text);
    std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
    std::fflush(stderr);
    if (HasDisplay()) {
        SDL_ShowSimpleMessageBox(kind, utf8Caption.c_str(), utf8Text.c_str(), nullptr);
    }
}

}  // namespace

void ShowMessageBox(const char* caption, const char* text)
{
    ShowBox(SDL_MESSAGEBOX_ERROR, caption, text);
}

void ShowInformationBox(const char* caption, const char* text)
{
    ShowBox(SDL_MESSAGEBOX_INFORMATION, caption, text);
}

}  // namespace platform
