#pragma once

#include <string>
#include <vector>

#include "ZcCmColor.h"
#include "ZcDbEntity.h"
#include "ZcDbExtents.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "services/Blocks.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestDrawing.h"
#include "tests/support/TestPaths.h"

// A true colour, as the boards' outlines and stripes are given.
inline ZcCmColor trueColour(uint8_t r, uint8_t g, uint8_t b)
{
    ZcCmColor c;
    c.setRGB(r, g, b);
    return c;
}

// A drawing whose texts are measured with the shipped fonts, as the console
// measures them.
class BoardDrawing : public TestDrawing {
public:
    BoardDrawing() { platform::setFontInstallationFolder((std::string(testSourceDir()) + "/resources")); }
    ~BoardDrawing() { platform::setFontInstallationFolder(""); }
};

// The entities of a block, in the order they were appended; none when the
// drawing has no such block.
inline std::vector<ZcDbObjectId> blockContents(const std::string& name)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    if (ZcDbBlockTableRecord* found = FindBlock(name.c_str(), ZcDb::kForRead))
        block.acquire(found);
    return block ? block->entityIds() : std::vector<ZcDbObjectId>{};
}

// The ids of a block's entities of one kind, in order.
template <class T>
std::vector<ZcDbObjectId> idsOf(const std::string& block)
{
    std::vector<ZcDbObjectId> ids;
    for (const ZcDbObjectId id : blockContents(block))
        if (ZcDbObjectPointer<T>(id, ZcDb::kForRead))
            ids.push_back(id);
    return ids;
}

inline ZcDbExtents extentsOf(ZcDbObjectId id)
{
    ZcDbExtents extents;
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    if (entity)
        entity->getGeomExtents(extents);
    return extents;
}

inline std::vector<ZcGePoint2d> verticesOf(ZcDbObjectId id)
{
    std::vector<ZcGePoint2d> points;
    ZcDbObjectPointer<ZcDbPolyline> polyline(id, ZcDb::kForRead);
    for (unsigned i = 0; polyline && i < polyline->numVerts(); ++i) {
        ZcGePoint2d p;
        polyline->getPointAt(i, p);
        points.push_back(p);
    }
    return points;
}
