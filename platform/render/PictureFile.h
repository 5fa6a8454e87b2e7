#pragma once

#include <string>

namespace platform {

// Writes bytes to a file by the rules of writeOutputFile
// (platform/core/OutputFile.h); on failure error names the path and the reason.
bool writeFileWhole(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace platform
