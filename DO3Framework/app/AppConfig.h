#pragma once

#include <string>

// The start-up configuration, copied by value into the application.
struct AppConfig {
    std::string windowTitle = "DO3Framework";  // also the first line of the log header
    std::string className = "DO3Framework";    // the name the application gives itself to the system
    int width = 800;                           // display size in pixels
    int height = 600;
    int depth = 16;                            // bits per pixel
    bool fullScreen = false;
};
