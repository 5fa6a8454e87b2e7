#pragma once

#include <string>

// Where the installer records the installation folder: a value of this key
// of the local-machine hive. The folder has no trailing separator.
inline constexpr const char* kTarvoRegistryKey = "SOFTWARE\\KORVEL\\Tarvo";
inline constexpr const char* kInstallationFolderValue = "Path";

// One text value of a key of the local-machine hive, read with failures
// shown to the user; raises RegistryReadError when it cannot be read.
std::string ReadRegistryString(const char* subKey, const char* valueName);

// The installation folder (linetype file, templates); raises RegistryReadError.
std::string InstallationFolder();
