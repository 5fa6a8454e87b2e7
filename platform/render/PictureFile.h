#pragma once

#include <optional>
#include <string>

#include "ZrxExport.h"

namespace platform {

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (.png, .svg, .pdf, in
// any case); nothing for others.
ZRX_EXPORT std::optional<PictureFormat> pictureFormatOf(const std::string& path);

// Writes bytes to a file by the rules of writeOutputFile
// (platform/core/OutputFile.h); on failure error names the path and the reason.
ZRX_EXPORT bool writeFileWhole(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace platform
