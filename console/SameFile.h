#pragma once

#include <string>
#include <vector>

// Whether two paths name one existing file: links followed, and hard links
// found too (the same device and inode).
bool sameFile(const std::string& a, const std::string& b);

// Refuses every output that would replace the drawing the command reads:
// prints "<who>: cannot write PATH: it is the drawing being read" for the
// first one and gives false; true when none is.
bool outputsSpareDrawing(const std::string& who, const std::string& drawing, const std::vector<std::string>& outputs);
