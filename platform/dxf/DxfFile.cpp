// Writing a drawing to a file by the platform's rules for output files.

#include "platform/core/OutputFile.h"
#include "platform/dxf/DxfWriter.h"

namespace platform {

bool writeDxfFile(const ZcDbDatabase& db, const std::string& path, std::string& error)
{
    return writeOutputFile(
        path, [&](const OutputSink& sink, std::string& problem) { return writeDxf(db, sink, problem); }, error);
}

}  // namespace platform
