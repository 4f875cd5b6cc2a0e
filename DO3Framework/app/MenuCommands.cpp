#include "app/MenuCommands.h"

#include "platform/VirtualKeys.h"

namespace menu_commands {

int CommandOfKey(int virtualKey)
{
    switch (virtualKey) {
    case vk::Function(1): return kHelp;
    case vk::Function(2): return kAbout;
    case vk::Function(5): return kReset;
    case vk::Function(8): return kObjectsBrowser;
    case vk::Function(9): return kMessages;
    case vk::Function(10): return kFlags;
    case vk::Function(11): return kToggleFullScreen;
    case vk::Function(12): return kExit;
    default: return 0;
    }
}

bool WorksInFullScreen(int command)
{
    return command == kToggleFullScreen;
}

}  // namespace menu_commands
