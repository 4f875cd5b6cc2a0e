// Every test program runs headless unless the caller chose drivers of its own.
#include <cstdlib>

namespace {

const bool headless = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return true;
}();

}  // namespace
