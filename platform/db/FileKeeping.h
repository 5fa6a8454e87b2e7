#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ZcDbObjectId.h"
#include "platform/db/RawTag.h"

namespace platform {

struct ZcDbStub;

// A table of the file that the object model does not hold (VPORT, VIEW,
// UCS, DIMSTYLE and any unknown one), with its records in order.
struct ZcDbKeptTable {
    std::string name;
    uint64_t handle = 0;
    ZcDbRawTags startTags;  // 102 groups before the owner
    ZcDbRawTags bodyTags;   // after the record count (DIMSTYLE's own subclass)
    std::vector<ZcDbObjectId> records;  // ZcDbRawRecord
};

// What a file gave a block's BLOCK entity beyond the record's own data.
struct ZcDbBlockBegin {
    int flags = -1;     // the file's flags; -1: computed when written
    std::string layer;  // "" for "0"
    std::string path;   // an external reference's file
    ZcDbRawTags tags;   // anything else, written after the known codes
};

// What a drawing read from a file keeps beyond the object model, so that
// writing it again loses nothing: header variables, classes, tables the
// model does not hold, the codes of objects their classes cannot carry.
struct ZcDbFileKeeping {
    // Header variables in the file's order ("$INSUNITS" and its tags),
    // except those the writer works out itself.
    std::vector<std::pair<std::string, ZcDbRawTags>> headerVariables;
    // CLASS entries as read.
    std::vector<ZcDbRawTags> classes;
    std::vector<ZcDbKeptTable> tables;
    // Per object: codes its class does not hold, written back after the
    // codes it does (at the end of the common entity part for entities).
    std::unordered_map<const ZcDbStub*, ZcDbRawTags> objectTags;
    // Per block record: its BLOCK entity.
    std::unordered_map<const ZcDbStub*, ZcDbBlockBegin> blockBegins;
    // The layout dictionary and the layouts are the file's own objects
    // (otherwise the writer makes them from the structure handles).
    bool layoutsFromFile = false;

    const ZcDbRawTags* tagsOf(const ZcDbStub* stub) const
    {
        if (objectTags.empty())
            return nullptr;
        const auto it = objectTags.find(stub);
        return it == objectTags.end() ? nullptr : &it->second;
    }
};

}  // namespace platform
