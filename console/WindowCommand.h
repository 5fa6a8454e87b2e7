#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/ConsolePaths.h"
#include "console/Options.h"

// tarvo window: the drawing on screen, in a module of its own (Qt), so that
// no other command maps the toolkit.
int runWindowCommand(const Options& options, const ConsolePaths& paths);

// What the window module is asked to do: the installation services are
// set up by then.
struct WindowRequest {
    std::optional<std::string> drawing;     // to open; a new drawing when none
    std::optional<std::string> script;      // replayed as the user's input
    std::optional<std::string> out;         // the drawing written at the script's end
    std::optional<std::string> screenshot;  // the window grabbed at the script's end
    std::vector<std::string> applications;  // plug-ins loaded as run loads them
};

// The window module's entry: the exit status of the session.
extern "C" int tarvoRunWindow(const WindowRequest& request);
inline constexpr char kWindowModule[] = "tarvo_window";
