#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ZcDbDatabase.h"
#include "ZcDbObject.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/RawTag.h"
#include "platform/dxf/DxfHandleTable.h"
#include "platform/dxf/DxfRecord.h"
#include "platform/dxf/DxfTagStream.h"
#include "platform/dxf/DxfTextDecoder.h"

class ZcDbSymbolTable;
class ZcDbSymbolTableRecord;
class ZcDbBlockTableRecord;

namespace platform {

// Unit vectors (normals, directions) a file gives differ from the exact
// ones by rounding only.
inline constexpr double kUnitTol = 1e-12;

// A new object of the class, for the tables of what each DXF name makes.
template <class T>
ZcDbObject* make()
{
    return new T;
}

// What every object of a file gives before its own data: its handle,
// reactors, extension dictionary and owner.
struct DxfObjectStart {
    uint64_t handle = 0;
    bool hasOwner = false;
    uint64_t owner = 0;
    std::vector<uint64_t> reactors;
    uint64_t xdict = 0;
    ZcDbRawTags otherGroups;  // 102 groups of other applications, whole
    size_t end = 0;           // index of the first tag after the start
};

using DxfXData = std::vector<std::pair<std::string, std::vector<ZcDbXDataItem>>>;

// Handles a file never gives: the objects a reader adds itself get handles
// from here on while the file is read, and their final ones (above every
// handle of the file) once it is read. A file's handles must stay below.
inline constexpr uint64_t kProvisionalHandleBase = uint64_t(1) << 62;

// A name index of a symbol table (names compare without regard to case).
using DxfNameIndex = std::unordered_map<std::string, ZcDbObjectId>;

// What the parts of the DXF reader share while one file is read.
class DxfReadContext {
public:
    DxfReadContext(ZcDbDatabase& database, DxfTagStream& stream);

    ZcDbDatabase& db;
    ZcDbDatabaseImpl& impl;
    DxfTagStream& in;
    DxfTextDecoder text;
    // R12 and older: no subclass markers, and no handles unless $HANDLING.
    bool r12 = true;
    uint64_t handseed = 0;
    uint64_t maxHandle = 0;  // highest handle the file uses

    // Header names resolved once the tables are read.
    std::string clayerName, celtypeName, textstyleName;
    double ltscale = 1.0;

    DxfNameIndex layers, linetypes, styles, blocks, appids;
    // Applications named in extended data, registered when the file is read.
    std::vector<std::string> xdataApplications;
    std::unordered_set<std::string> xdataApplicationSet;

    // Links resolved once every object is there.
    struct GroupMembers {
        ZcDbObjectId group;
        std::vector<ZcDbObjectId> members;
    };
    std::vector<GroupMembers> groupMembers;
    std::vector<ZcDbObjectId> hatches, dictionaries, sortents, objectsSection;
    // Objects with reactors or an extension dictionary, and references.
    std::vector<ZcDbObjectId> linked, references;

    // The polyline builder's vertices, kept between polylines.
    struct LightVertex {
        double x = 0.0, y = 0.0, bulge = 0.0, start = -1.0, end = -1.0;
        bool hasY = false, hasStart = false, hasEnd = false;
    };
    std::vector<LightVertex> vertices;

    // ---- errors: each reports once and returns false.
    bool failed() const { return in.failed(); }
    bool fail(uint64_t line, const std::string& what);

    // ---- values of tags
    bool real(const DxfTag& tag, double& value);
    bool integer(const DxfTag& tag, int64_t& value);
    bool integer(const DxfTag& tag, int& value, int64_t min, int64_t max);
    bool handle(const DxfTag& tag, uint64_t& value);
    std::string textOf(const DxfTag& tag) { return text.decode(tag.value); }
    // A tag kept as read: texts decoded, numbers checked.
    bool rawTag(const DxfTag& tag, ZcDbRawTag& raw);
    bool rawTags(const DxfRecord& record, size_t from, size_t to, ZcDbRawTags& out);
    // Notes a handle the file uses (for the handles given out later).
    void noteHandle(uint64_t h)
    {
        if (h > maxHandle)
            maxHandle = h;
    }

    // ---- objects and ids
    // The id of a handle of the file; one that has no object yet gets a
    // stub the object takes when it comes. Null for handle 0.
    ZcDbObjectId idOf(uint64_t handle);
    // The id of a handle the file has used, or null (nothing is made).
    ZcDbObjectId existing(uint64_t handle) const { return ZcDbObjectId(m_handles.find(handle)); }
    // Adds a new object under its file handle (0: it gets one later). A
    // handle used twice is taken the first time; the second object gets a
    // new one.
    ZcDbObjectId add(ZcDbObject* obj, uint64_t handle, ZcDbObjectId owner);

    // ---- parts every object has
    bool readStart(const DxfRecord& record, DxfObjectStart& start, size_t from = 0);
    // Index of the first tag of extended data (or the record's size).
    static size_t xdataBegin(const DxfRecord& record);
    // Whether tag i opens an application's group ("102 {NAME").
    static bool opensGroup(const DxfRecord& record, size_t i);
    // The group opening at i ends at its "}"; one the file leaves open ends
    // where the next group, a subclass marker or `end` (the extended data)
    // comes, which it cannot hold. The index of that "}" or of where the
    // open group stops; closed says which.
    static size_t groupClose(const DxfRecord& record, size_t i, size_t end, bool& closed);
    // Appends the group opening at i whole, closing one the file left open,
    // and moves i to the group's last tag.
    bool keepGroup(const DxfRecord& record, size_t& i, size_t end, ZcDbRawTags& out);
    bool readXData(const DxfRecord& record, size_t from, DxfXData& xdata);
    // Reactors, extension dictionary and other application groups; extended data.
    void applyStart(ZcDbObject* obj, const DxfObjectStart& start);
    void applyXData(ZcDbObject* obj, DxfXData&& xdata);
    // Codes the object's class does not hold, written back with it.
    void keepTags(ZcDbObject* obj, ZcDbRawTags&& tags);

    // ---- the drawing's tables and the records entities name
    ZcDbSymbolTable* table(ZcDbObjectId& slot, ZcDbObject* (*make)());
    ZcDbObjectId layer(std::string_view name);
    ZcDbObjectId linetype(std::string_view name);
    ZcDbObjectId textStyle(std::string_view name);
    ZcDbObjectId block(std::string_view name);
    // Adds a record to a table and its index; a name taken already gets a
    // number ("Name$1"), as two records cannot share one.
    ZcDbObjectId addRecord(ZcDbSymbolTableRecord* record, std::string name, uint64_t handle, ZcDbSymbolTable* table,
                           DxfNameIndex& index, bool allowEmptyName = false);
    static std::string key(std::string_view name);

private:
    DxfHandleTable m_handles;
};

// "KIND at line N" for messages.
std::string dxfWhere(const DxfRecord& record);

}  // namespace platform
