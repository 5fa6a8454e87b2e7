#include "platform/db/ZcDbRawObject.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "ZcDbExtents.h"
#include "platform/db/ObjectAccess.h"

namespace platform {

ZCRX_DEFINE_MEMBERS(ZcDbRawObject, ZcDbObject)
ZCRX_DEFINE_MEMBERS(ZcDbRawRecord, ZcDbObject)
ZCRX_DEFINE_MEMBERS(ZcDbRawEntity, ZcDbEntity)

ZcDbObject* ZcDbRawObject::clone() const
{
    auto* copy = new ZcDbRawObject(m_kind, m_tags);
    copyObjectDataTo(copy);
    return copy;
}

std::string ZcDbRawRecord::name() const
{
    for (const ZcDbRawTag& tag : m_tags)
        if (tag.code == 2)
            return tag.value;
    return {};
}

ZcDbObject* ZcDbRawEntity::clone() const
{
    auto* copy = new ZcDbRawEntity(m_kind, m_tags);
    copyEntityDataTo(copy);
    return copy;
}

namespace {

// A vertex's flag: a face record of a polyface mesh, which holds no point.
constexpr int kFaceRecord = 128;
constexpr int kMeshVertex = 64;

std::optional<ZcGePoint3d> vertexPoint(const ZcDbRawTags& tags)
{
    double coordinate[3] = {0.0, 0.0, 0.0};
    bool located = false;
    int flags = 0;
    for (const ZcDbRawTag& tag : tags) {
        if (tag.code == 10 || tag.code == 20 || tag.code == 30) {
            coordinate[tag.code / 10 - 1] = std::strtod(tag.value.c_str(), nullptr);
            located = located || tag.code == 10;
        } else if (tag.code == 70) {
            flags = std::atoi(tag.value.c_str());
        }
    }
    if (!located || ((flags & kFaceRecord) && !(flags & kMeshVertex)))
        return std::nullopt;
    const ZcGePoint3d p(coordinate[0], coordinate[1], coordinate[2]);
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
        return std::nullopt;
    return p;
}

// Every point a spline's tags give, control (10) and fit (11) points alike.
void addSplinePoints(const ZcDbRawTags& tags, ZcDbExtents& box, bool& any)
{
    std::optional<ZcGePoint3d> point;
    const auto finish = [&] {
        if (point && std::isfinite(point->x) && std::isfinite(point->y) && std::isfinite(point->z)) {
            box.addPoint(*point);
            any = true;
        }
        point.reset();
    };
    for (const ZcDbRawTag& tag : tags) {
        const double value = std::strtod(tag.value.c_str(), nullptr);
        if (tag.code == 10 || tag.code == 11) {
            finish();
            point = ZcGePoint3d(value, 0.0, 0.0);
        } else if (point && (tag.code == 20 || tag.code == 21)) {
            point->y = value;
        } else if (point && (tag.code == 30 || tag.code == 31)) {
            point->z = value;
        }
    }
    finish();
}

}  // namespace

Zcad::ErrorStatus ZcDbRawEntity::getGeomExtents(ZcDbExtents& extents) const
{
    ZcDbExtents box;
    bool any = false;
    if (m_kind == "SPLINE")
        addSplinePoints(m_tags, box, any);
    if (m_kind == "POLYLINE")
        for (const ZcDbObjectId id : m_following) {
            const auto* vertex = ZcDbObjectAccess::peekAs<ZcDbRawEntity>(id);
            if (!vertex || vertex->kind() != "VERTEX")
                continue;
            if (const std::optional<ZcGePoint3d> p = vertexPoint(vertex->tags())) {
                box.addPoint(*p);
                any = true;
            }
        }
    if (!any)
        return Zcad::eInvalidExtents;
    extents = box;
    return Zcad::eOk;
}

}  // namespace platform
