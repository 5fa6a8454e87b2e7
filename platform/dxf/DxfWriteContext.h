#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ZcDbObject.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/dxf/DxfStream.h"

class ZcDbEntity;

// What the parts of the DXF writer share while one drawing is written.
struct DxfWriteContext {
    const ZcDbDatabase& db;
    const ZcDbDatabaseImpl& impl;
    DxfStream& out;
    std::string error;  // the first thing that could not be written
    // Extension dictionaries of the objects written so far: the OBJECTS
    // section writes them and what they hold.
    std::vector<ZcDbObjectId> extensionDictionaries;

    void fail(std::string message)
    {
        if (error.empty())
            error = std::move(message);
    }
};

// The object of an id when it is in the drawing and not erased; else null.
const ZcDbObject* liveObject(ZcDbObjectId id);
inline bool isLive(ZcDbObjectId id) { return liveObject(id) != nullptr; }
inline uint64_t handleOf(ZcDbObjectId id) { return id.handle().value(); }
// "KIND <handle>" for messages.
std::string describe(const char* kind, uint64_t handle);

// The start every object shares: 0 kind, its handle under handleCode,
// persistent reactors, extension dictionary, and 330 owner.
void writeObjectStart(DxfWriteContext& ctx, const char* kind, const ZcDbObject* obj, uint64_t owner,
                      int handleCode = 5);
// The object's extended data, application by application (1001 ...).
void writeXData(DxfWriteContext& ctx, const ZcDbObject* obj);

// An entity of a block or a layout, with the ATTRIBs and SEQEND of a
// reference that has attributes. False (and ctx.fail) for a kind that
// cannot be written.
bool writeEntity(DxfWriteContext& ctx, const ZcDbEntity* entity);

// The OBJECTS section: the named-object dictionary first, then every object
// reachable from it or from an extension dictionary of a written object.
void writeObjectsSection(DxfWriteContext& ctx);
