#pragma once

#include <string>

#include "console/ConsolePaths.h"
#include "console/Options.h"

// What the host offers the plug-in about its installation: the registry,
// whose local-machine key SOFTWARE\KORVEL\Tarvo holds the installation
// folder as "Path" (the console's data folder, unless --registry names a
// .reg file to use instead), and the folder whose Fonts/ is searched first
// for the text styles' fonts. False, with the reason, when the named
// registry file cannot be used.
bool setUpInstallationServices(const Options& options, const ConsolePaths& paths, std::string& error);

// The .reg text the console builds: the installation folder as "Path".
std::string installationRegistryText(const std::string& dataDir);
