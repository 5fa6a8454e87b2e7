#pragma once

#include <string>

// The places the console works with, found from where it runs.
struct ConsolePaths {
    std::string programDir;  // the folder of the tarvo program
    std::string plugin;      // tarvo.zrx
    std::string moduleDir;   // the console's own modules, beside the plug-in
    std::string dataDir;     // the installation folder: Tarvo.lin, Wzory/, Fonts/
};

// Installed (bin/tarvo beside lib/ and share/tarvo) or in the build tree
// (bin/ beside lib/, data in the source tree's resources/).
ConsolePaths findConsolePaths();
