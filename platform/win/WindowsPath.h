#pragma once

#include <string>
#include <string_view>

namespace platform {

// The system builds file paths the Windows way (the installation folder
// from the registry, then "\Tarvo.lin"); here a backslash separates folders
// as a slash does.
std::string localPath(std::string_view windowsPath);

}  // namespace platform
