#pragma once

#include <string>
#include <vector>

// tarvo settings DRAWING.dxf [options]: shows the drawing-settings record
// of a drawing; options set its fields, and the drawing is written back
// (or to --out) with the whole record. args are the arguments after
// "settings". Gives the exit status.
int runSettingsCommand(const std::vector<std::string>& args);

// The text of tarvo settings --help.
const char* settingsUsageText();
