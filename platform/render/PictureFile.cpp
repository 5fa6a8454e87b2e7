#include "platform/render/PictureFile.h"

#include "platform/core/OutputFile.h"

namespace platform {

bool writeFileWhole(const std::string& path, const std::string& bytes, std::string& error)
{
    return writeOutputFile(
        path, [&](const OutputSink& sink, std::string&) { return sink(bytes); }, error);
}

}  // namespace platform
