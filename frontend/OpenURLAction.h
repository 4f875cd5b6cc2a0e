#pragma once

#include <functional>
#include <string>

#include "frontend/ButtonAction.h"

// Opens a web address in the user's browser and ends the program (the exit screen's links).
// The address goes to the platform layer as it stands, never through a shell command line.
class OpenURLAction : public ButtonAction {
public:
    using Opener = std::function<bool(const std::string& address)>;

    explicit OpenURLAction(std::string address);
    // Tests replace the browser with a recorder.
    OpenURLAction(std::string address, Opener opener);

    // An empty address does nothing; otherwise the address is opened and a quit posted.
    void Execute() override;
    const std::string& GetAddress() const { return address; }

private:
    std::string address;
    Opener opener;
};
