#pragma once

#include <map>
#include <string>
#include <vector>

#include "ZcDbDatabase.h"
#include "ZcDbObjectId.h"
#include "ZcGePoint3d.h"

// What the drawing commands left in model space, as tests compare it.
struct PlacedReference {
    ZcDbObjectId id;
    std::string block, layer;
    ZcGePoint3d position;
    double scale, rotation;
    std::map<std::string, std::string> attributes;  // tag → text
};

// The block references of model space in drawing order.
std::vector<PlacedReference> ReferencesIn(ZcDbDatabase& db);

// The entities of each group of the drawing.
std::vector<std::vector<ZcDbObjectId>> GroupsIn(ZcDbDatabase& db);

// The entities of the named block, in order; none when there is no such block.
std::vector<ZcDbObjectId> BlockContents(const char* name);
