#pragma once

#include "console/ConsolePaths.h"
#include "console/Options.h"

// Exit statuses of the tarvo program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDrawing = 3;

// One run of the console: the drawing, the plug-ins loaded into it, the
// command lines fed to them, the drawing written. Gives the exit status.
int runSession(const Options& options, const ConsolePaths& paths);
