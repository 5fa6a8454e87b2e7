#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/PictureOptions.h"

// What the command line of the tarvo program asks for.
struct Options {
    enum class Mode { Help, Run, Shell, Window };

    Mode mode = Mode::Help;
    std::optional<std::string> in;        // drawing to open
    std::optional<std::string> script;    // script file, or "-" for standard input
    std::optional<std::string> out;       // drawing to write at the end
    std::optional<std::string> registry;  // registry file (.reg)
    std::vector<std::string> apps;        // plug-ins to load instead of tarvo.zrx
    PictureOptions pictures;              // pictures of the drawing at the end of a run
    std::optional<std::string> report;    // bill of quantities (workbook) at the end of a run
    std::optional<std::string> screenshot;  // the window, grabbed at the end of its script (PNG)
};

// Parses the arguments after the program name; nothing (with a message in
// error) on wrong usage.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

// The text of tarvo --help.
const char* usageText();
