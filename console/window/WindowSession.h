#pragma once

#include <string>
#include <vector>

struct WindowRequest;

// Whether the toolkit has a screen to open a window on: a display, or a
// platform named outright (QT_QPA_PLATFORM, offscreen among them).
bool windowDisplayAvailable();

// The session in the window: the drawing (or a new one), the plug-ins
// loaded, the command line fed by the user or by the script replayed, the
// drawing written and the window grabbed at the script's end. Gives the exit
// status; the installation services are set up by the caller.
int runWindowSession(const WindowRequest& request);

// The lines of a script file; false, with the reason, when it cannot be read.
bool readScriptLines(const std::string& path, std::vector<std::string>& lines, std::string& error);
