#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <vector>

#include "ZcDbObject.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/dxf/DxfStream.h"

class ZcDbEntity;

namespace platform {

// Which objects of the OBJECTS section are written: those whose owners lead
// to the named-object dictionary or to something written elsewhere (an
// entity, a record, a table). An object removed from its dictionary, or
// owned by one that is, is not; nor are links to it.
class DxfWrittenObjects {
public:
    bool contains(const ZcDbDatabaseImpl& impl, const ZcDbObject* obj);

private:
    bool m_tablesKnown = false;
    std::vector<uint64_t> m_tables;  // handles of tables the model does not hold
    std::unordered_map<const ZcDbObject*, bool> m_known;
};

// What the parts of the DXF writer share while one drawing is written.
struct DxfWriteContext {
    const ZcDbDatabase& db;
    const ZcDbDatabaseImpl& impl;
    DxfStream& out;
    std::string error;  // the first thing that could not be written
    DxfWrittenObjects written;

    void fail(std::string message)
    {
        if (error.empty())
            error = std::move(message);
    }
};

// Objects written in the OBJECTS section (not entities, records, tables).
bool belongsInObjects(const ZcDbObject* obj);
// Whether an object is written, so that a link to it may be.
bool isWritten(DxfWriteContext& ctx, ZcDbObjectId id);

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
// The persistent reactors and extension dictionary alone (102 groups).
void writeObjectLinks(DxfWriteContext& ctx, const ZcDbObject* obj);

// Tags kept as a file gave them (texts in their DXF spelling).
void writeRawTags(DxfStream& out, const ZcDbRawTags& tags);
// Codes of an object that its class does not hold, kept from the file it
// was read from, except those listed (which the caller writes itself).
void writeKeptTags(DxfWriteContext& ctx, const ZcDbObject* obj, std::initializer_list<int> except = {});
// The value kept for a code the writer writes itself, or null.
const ZcDbRawTag* keptTag(const DxfWriteContext& ctx, const ZcDbObject* obj, int code);
// Flag bits kept for a code beyond those the object's class holds.
int keptFlags(const DxfWriteContext& ctx, const ZcDbObject* obj, int code);
// The object's extended data, application by application (1001 ...).
void writeXData(DxfWriteContext& ctx, const ZcDbObject* obj);

// An entity of a block or a layout, with the ATTRIBs and SEQEND of a
// reference that has attributes. False (and ctx.fail) for a kind that
// cannot be written.
bool writeEntity(DxfWriteContext& ctx, const ZcDbEntity* entity);

// The OBJECTS section: the named-object dictionary first, then every object
// reachable from it or from an extension dictionary of a written object.
void writeObjectsSection(DxfWriteContext& ctx);

}  // namespace platform
