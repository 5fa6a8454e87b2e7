#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ZcDbDatabase.h"
#include "platform/db/FileKeeping.h"
#include "platform/db/PickIndex.h"
#include "platform/db/ZcDbStub.h"
#include "platform/db/entities/BlockExtents.h"

namespace platform {

// Handles that the file structure needs but the object model does not hold
// as objects (tables and records of no interest to the system, layouts).
struct ZcDbStructureHandles {
    uint64_t vportTable = 0, vportActive = 0, viewTable = 0, ucsTable = 0;
    uint64_t dimstyleTable = 0, dimstyleStandard = 0;
    uint64_t layoutDictionary = 0, layoutModel = 0, layoutPaper = 0;
};

struct ZcDbDatabaseImpl {
    ZcDbDatabase* self = nullptr;
    std::deque<ZcDbStub> stubs;  // stable addresses, in order of creation
    uint64_t nextHandle = 1;
    int openCount = 0;  // objects of this drawing currently open
    // Objects open for write now, and a count of closed writes (and of the
    // readers' changes made without opening): what is worked out from the
    // drawing's objects and kept stays valid while no writer is open and
    // this count has not moved.
    int openForWrite = 0;
    uint64_t edits = 0;
    // Each block's extents in its own coordinates, as last worked out.
    std::unordered_map<const ZcDbStub*, ZcDbBlockExtents> blockExtents;
    uint64_t blockExtentsMeasured = 0;
    // The index of model space for picks, made at the first pick, and the
    // objects changed since it was last brought up to date (logged only
    // while there is an index; too many, and it is made anew).
    std::unique_ptr<PickIndex> pickIndex;
    std::vector<ZcDbStub*> changeLog;
    bool changeLogOverflowed = false;
    // An object changed: its edit is counted and logged for the index.
    void changed(ZcDbStub* stub)
    {
        stub->edited = ++edits;
        if (!pickIndex)
            return;
        if (changeLog.size() < stubs.size() + kChangeLogSlack)
            changeLog.push_back(stub);
        else
            changeLogOverflowed = true;
    }
    // Changes logged beyond one per object before the log is given up.
    static constexpr size_t kChangeLogSlack = 4096;

    ZcDbObjectId blockTable, layerTable, linetypeTable, textStyleTable, regAppTable;
    ZcDbObjectId namedObjects, groups;
    ZcDbObjectId modelSpace, paperSpace;
    ZcDbObjectId layerZero, ltByBlock, ltByLayer, ltContinuous, styleStandard;
    ZcDbObjectId clayer, celtype, textstyle;
    double ltscale = 1.0;
    ZcDbStructureHandles structure;
    // BLOCK and ENDBLK handles of each block record, SEQEND of each reference with attributes.
    std::unordered_map<const ZcDbStub*, std::pair<uint64_t, uint64_t>> blockEnds;
    std::unordered_map<const ZcDbStub*, uint64_t> seqends;
    // What a drawing read from a file keeps for writing it back.
    ZcDbFileKeeping kept;
    // Why the last readDwgFile into this drawing failed, for the console.
    std::string readError;

    // Stubs of the objects of contents replaced by replaceContents, emptied:
    // ids kept from before point at nothing rather than at freed memory.
    std::vector<std::deque<ZcDbStub>> retired;

    ~ZcDbDatabaseImpl();
    // Gives `into` the contents of `from` (a drawing nobody holds ids of);
    // into's old objects are freed. from is left empty.
    static void replaceContents(ZcDbDatabase& into, ZcDbDatabase& from);
    ZcDbStub* newStub(uint64_t handle);
    // The stub of a handle, or null. Stubs made in rising handle order (a
    // drawing built in memory) are found in the list itself; otherwise an
    // index sorted by handle is kept, rebuilt only after a handle arrives
    // below the highest one indexed (files list their objects out of order).
    ZcDbStub* findStub(uint64_t handle) const;
    uint64_t takeHandle() { return nextHandle++; }
    // Stubs were given other handles (a reader numbering what its file left
    // without): the index is built anew on the next look-up.
    void handlesChanged()
    {
        m_stubsAscending = false;
        m_indexStale = true;
    }

private:
    bool m_stubsAscending = true;
    mutable std::vector<ZcDbStub*> m_handleIndex;  // sorted by handle, when not ascending
    mutable bool m_indexStale = false;
};

}  // namespace platform
