#include "ZcDbBlockReference.h"

#include <cmath>

#include "ZcDbAttribute.h"
#include "ZcDbBlockTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/entities/BlockExtents.h"
#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbBlockReference, ZcDbEntity)

namespace {
// Relative size of a shear in a transform (from rounding) that still keeps
// a reference's axes perpendicular.
constexpr double kAxesRoundingTol = 1e-9;

bool validScale(double s) { return isFinite(s) && s != 0.0; }
}  // namespace

// A constructor cannot refuse: a non-finite position stays at the origin.
ZcDbBlockReference::ZcDbBlockReference(const ZcGePoint3d& position, ZcDbObjectId blockTableRecord)
    : m_block(blockTableRecord)
{
    if (isFinite(position))
        m_position = position;
}

ZcDbBlockReference::~ZcDbBlockReference() = default;

Zcad::ErrorStatus ZcDbBlockReference::setBlockTableRecord(ZcDbObjectId id)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (id.isNull())
        return Zcad::eNullObjectId;
    const auto* record = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(id);
    if (!record)
        return Zcad::eWrongObjectType;
    if (record->isErased())
        return Zcad::eWasErased;
    if (record->isLayout())
        return Zcad::eInvalidInput;  // model and paper space are not blocks to insert
    if (database() && id.database() != database())
        return Zcad::eWrongDatabase;
    m_block = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setPosition(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_position = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setScaleFactors(const ZcGeScale3d& s)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!validScale(s.sx) || !validScale(s.sy) || !validScale(s.sz))
        return Zcad::eInvalidInput;
    m_scale = s;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setRotation(double angle)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(angle))
        return Zcad::eInvalidInput;
    m_rotation = curve::normalizeAngle(angle);
    return Zcad::eOk;
}

ZcGeMatrix3d ZcDbBlockReference::blockTransform() const
{
    ZcGePoint3d origin;
    if (const auto* record = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_block))
        origin = record->origin();
    ZcGeMatrix3d scaling;
    scaling.entry[0][0] = m_scale.sx;
    scaling.entry[1][1] = m_scale.sy;
    scaling.entry[2][2] = m_scale.sz;
    return ZcGeMatrix3d::translation(m_position.asVector()) *
           ZcGeMatrix3d::rotation(m_rotation, ZcGeVector3d::kZAxis) * scaling *
           ZcGeMatrix3d::translation(-origin.asVector());
}

Zcad::ErrorStatus ZcDbBlockReference::appendAttribute(ZcDbAttribute* attribute)
{
    ZcDbObjectId id;
    return appendAttribute(id, attribute);
}

Zcad::ErrorStatus ZcDbBlockReference::appendAttribute(ZcDbObjectId& id, ZcDbAttribute* attribute)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!attribute)
        return Zcad::eNullObjectPointer;
    if (objectId().isNull())
        return Zcad::eNotInDatabase;
    if (!attribute->objectId().isNull())
        return Zcad::eAlreadyInDb;
    if (Zcad::ErrorStatus es = ZcDbObjectAccess::addToDatabase(database(), attribute, objectId(), id); es != Zcad::eOk)
        return es;
    m_attributes.push_back(id);
    // The attributes of a reference are closed by an end-of-sequence mark in
    // files, which needs a handle of its own.
    auto& seqends = database()->impl()->seqends;
    if (seqends.find(objectId().stub()) == seqends.end())
        seqends[objectId().stub()] = ZcDbObjectAccess::reserveHandle(database());
    return Zcad::eOk;
}

ZcDbObjectIterator* ZcDbBlockReference::attributeIterator() const { return new ZcDbObjectIterator(m_attributes); }

Zcad::ErrorStatus ZcDbBlockReference::getGeomExtents(ZcDbExtents& extents) const
{
    ZcDbExtents result;
    if (const auto* record = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_block)) {
        const ZcDbExtents own = blockContentExtents(*record);
        if (!own.isEmpty()) {
            const ZcGeMatrix3d toWorld = blockTransform();
            const ZcGePoint3d& lo = own.minPoint();
            const ZcGePoint3d& hi = own.maxPoint();
            for (int corner = 0; corner < 8; ++corner)
                result.addPoint(toWorld * ZcGePoint3d(corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y,
                                                      corner & 4 ? hi.z : lo.z));
        }
    }
    for (const ZcDbObjectId& id : m_attributes) {
        const auto* attribute = ZcDbObjectAccess::peekAs<ZcDbAttribute>(id);
        if (!attribute || attribute->isErased() || attribute->isInvisible() ||
            attribute->visibility() == ZcDb::kInvisible)
            continue;
        ZcDbExtents own;
        if (attribute->getGeomExtents(own) == Zcad::eOk)
            result.addExt(own);
    }
    if (result.isEmpty())
        return Zcad::eInvalidExtents;
    extents = result;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const PlanarTransform planar = analysePlanar(xform);
    if (!planar.keepsPlane || !planar.heightFree)
        return Zcad::eNotApplicable;  // the normal stays Z

    // The new insertion is the map applied after the old one: read its
    // rotation and scales back from the combined matrix, keeping the sign
    // of the X scale.
    const ZcGeMatrix3d combined = xform * blockTransform();
    const ZcGeVector2d xAxis(combined.entry[0][0], combined.entry[1][0]);
    const ZcGeVector2d yAxis(combined.entry[0][1], combined.entry[1][1]);
    const double sx = m_scale.sx < 0.0 ? -xAxis.length() : xAxis.length();
    const double rotation = std::atan2(xAxis.y / sx, xAxis.x / sx);
    const ZcGeVector2d xDir(std::cos(rotation), std::sin(rotation));
    if (std::fabs(yAxis.dotProduct(xDir)) > kAxesRoundingTol * xAxis.length() * yAxis.length())
        return Zcad::eNotApplicable;  // a sheared insertion cannot be described
    const double sy = yAxis.dotProduct(xDir.perpVector());
    const double sz = combined.entry[2][2];
    const ZcGePoint3d position = xform * m_position;
    if (!validScale(sx) || !validScale(sy) || !validScale(sz) || !isFinite(rotation) || !isFinite(position))
        return Zcad::eInvalidInput;

    // The attributes move along; all of them must be available first.
    std::vector<ZcDbAttribute*> attributes;
    auto closeAll = [&] {
        for (ZcDbAttribute* a : attributes)
            a->close();
    };
    for (const ZcDbObjectId& id : m_attributes) {
        if (id.isErased())
            continue;
        ZcDbAttribute* attribute = nullptr;
        if (Zcad::ErrorStatus es = zcdbOpenObject(attribute, id, ZcDb::kForWrite); es != Zcad::eOk) {
            closeAll();
            return es;
        }
        attributes.push_back(attribute);
    }
    Zcad::ErrorStatus result = Zcad::eOk;
    for (ZcDbAttribute* attribute : attributes)
        if (Zcad::ErrorStatus es = attribute->transformBy(xform); es != Zcad::eOk && result == Zcad::eOk)
            result = es;
    closeAll();

    m_position = position;
    m_rotation = curve::normalizeAngle(rotation);
    m_scale = ZcGeScale3d(sx, sy, sz);
    return result;
}

ZcDbObject* ZcDbBlockReference::clone() const
{
    auto* copy = new ZcDbBlockReference(m_position, m_block);
    copy->m_scale = m_scale;
    copy->m_rotation = m_rotation;
    copyEntityDataTo(copy);
    return copy;
}
