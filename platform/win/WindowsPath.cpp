#include "platform/win/WindowsPath.h"

#include <algorithm>

namespace platform {

std::string localPath(std::string_view windowsPath)
{
    std::string path(windowsPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace platform
