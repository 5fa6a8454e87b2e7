#pragma once

#include <string>
#include <vector>

// tarvo report DRAWING.dxf [--csv DIR] [--xlsx FILE] [--html FILE]
// [--md FILE]: the bill of quantities of a drawing's signs, markings,
// arrows and lights; as text when no file is asked for. args are the
// arguments after "report". Gives the exit status: 0 done (warnings
// included), 2 wrong usage, 3 a drawing that cannot be read or a file
// that cannot be written.
int runReportCommand(const std::vector<std::string>& args);

// The text of tarvo report --help.
const char* reportUsageText();
