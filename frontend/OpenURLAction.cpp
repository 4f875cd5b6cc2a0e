#include "frontend/OpenURLAction.h"

#include <utility>

#include "app/Debug.h"
#include "platform/EventPump.h"
#include "platform/OpenURL.h"

namespace {

constexpr int kQuitExitCode = -1;

}  // namespace

OpenURLAction::OpenURLAction(std::string url) : OpenURLAction(std::move(url), platform::OpenURL) {}

OpenURLAction::OpenURLAction(std::string url, Opener urlOpener)
    : address(std::move(url)), opener(std::move(urlOpener))
{
}

void OpenURLAction::Execute()
{
    if (address.empty()) {
        return;
    }
    if (!opener || !opener(address)) {
        Debug::Instance().Warning("OpenURLAction::Execute: Failed to open <%s>\n", address.c_str());
    }
    // The player asked to leave; a browser that failed to start does not keep the game open.
    platform::EventPump::Instance().PostQuit(kQuitExitCode);
}
