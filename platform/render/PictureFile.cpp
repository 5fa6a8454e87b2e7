#include "platform/render/PictureFile.h"

#include <algorithm>
#include <cctype>

#include "platform/core/OutputFile.h"

namespace platform {

std::optional<PictureFormat> pictureFormatOf(const std::string& path)
{
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == "png")
        return PictureFormat::Png;
    if (ext == "svg")
        return PictureFormat::Svg;
    if (ext == "pdf")
        return PictureFormat::Pdf;
    return std::nullopt;
}

bool writeFileWhole(const std::string& path, const std::string& bytes, std::string& error)
{
    return writeOutputFile(
        path, [&](const OutputSink& sink, std::string&) { return sink(bytes); }, error);
}

}  // namespace platform
