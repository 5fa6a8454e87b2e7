#pragma once

#include <string>
#include <string_view>

#include "ZrxExport.h"
#include "platform/dxf/DxfStream.h"

class ZcDbDatabase;

// Writes a whole drawing as R2000 (AC1015) ASCII DXF: the structure other
// CAD programs expect, texts outside ASCII as "\U+XXXX", erased objects left
// out. The same drawing always gives the same bytes, and writing never
// changes the drawing (every handle it needs was given out beforehand).

// Writes the drawing to a sink in large chunks. False with a message when
// the drawing holds something a DXF file cannot carry or the sink refused.
bool writeDxf(const ZcDbDatabase& db, const DxfStream::Sink& sink, std::string& error);

// The drawing's DXF text; empty (and error set when given) on failure.
std::string dxfToString(const ZcDbDatabase& db, std::string* error = nullptr);

// Writes the drawing to a file: first to a new temporary file beside it,
// flushed to disk, then renamed over the target, so that the target is
// either the old file or the whole new one. On failure the temporary file is
// removed, an existing target is left untouched and error says what failed,
// with the path and the system's reason.
ZRX_EXPORT bool writeDxfFile(const ZcDbDatabase& db, const std::string& path, std::string& error);
