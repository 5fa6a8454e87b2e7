#pragma once

#include <string_view>

#include "ZrxExport.h"

namespace platform {

// Reads command lines until the input ends, QUIT, or a failure, and runs
// each: a host command, a registered command, or one line saying the name
// is unknown. After each command no object of the working drawing may be
// left open. The run's state (its failure, if any) is the command line's.
ZRX_EXPORT void runCommandLoop();

// Runs one command line as typed at the command prompt.
void runCommandLine(std::string_view text);

}  // namespace platform
