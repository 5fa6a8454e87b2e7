#pragma once

namespace platform {

class DxfReadContext;

// The sections of a DXF file, each read from just after its "2 NAME" up to
// and including its "0 ENDSEC". False on an error (the context has it).
bool readHeaderSection(DxfReadContext& ctx);
bool readClassesSection(DxfReadContext& ctx);
bool readTablesSection(DxfReadContext& ctx);
bool readBlocksSection(DxfReadContext& ctx);
bool readEntitiesSection(DxfReadContext& ctx);
bool readObjectsSection(DxfReadContext& ctx);
// Skips a section the reader does not know (a thumbnail, for one).
bool skipSection(DxfReadContext& ctx);

// Once the file is read: links resolved, what a file lacked added,
// handles given to the objects the file gave none.
bool finishDrawing(DxfReadContext& ctx);

}  // namespace platform
