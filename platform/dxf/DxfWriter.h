#pragma once

#include <string>
#include <string_view>

#include "ZrxExport.h"
#include "platform/dxf/DxfStream.h"

class ZcDbDatabase;

namespace platform {

// Writes a whole drawing as R2000 (AC1015) ASCII DXF: the structure other
// CAD programs expect, texts in code page 1250 (see DxfText.h), erased
// objects left out. The same drawing always gives the same bytes, and writing never
// changes the drawing (every handle it needs was given out beforehand).

// Writes the drawing to a sink in large chunks. False with a message when
// the drawing holds something a DXF file cannot carry or the sink refused.
bool writeDxf(const ZcDbDatabase& db, const DxfStream::Sink& sink, std::string& error);

// The drawing's DXF text; empty (and error set when given) on failure.
std::string dxfToString(const ZcDbDatabase& db, std::string* error = nullptr);

// Writes the drawing to a file by the rules of writeOutputFile
// (platform/core/OutputFile.h): links followed, devices, folders, read-only
// files and the run's own inputs refused, a temporary file renamed over the
// target. On failure error says what failed, with the path and the reason.
ZRX_EXPORT bool writeDxfFile(const ZcDbDatabase& db, const std::string& path, std::string& error);

}  // namespace platform
