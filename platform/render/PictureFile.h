#pragma once

#include <string>

// Writes bytes to a file: first to a new temporary file beside it, then
// renamed over it, so that the file is either the old one or the whole new
// one. On failure the temporary file is removed and error names the path
// and the system's reason.
bool writeFileWhole(const std::string& path, const std::string& bytes, std::string& error);
