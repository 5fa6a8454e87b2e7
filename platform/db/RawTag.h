#pragma once

#include <string>
#include <vector>

namespace platform {

// One group code of a file with its value, kept as the file gave it: texts
// as UTF-8, every other value as its text in the file (already checked to
// be a well-formed number or handle).
struct ZcDbRawTag {
    int code = 0;
    std::string value;
};

using ZcDbRawTags = std::vector<ZcDbRawTag>;

}  // namespace platform
