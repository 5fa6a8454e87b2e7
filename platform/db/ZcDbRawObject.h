#pragma once

#include <string>
#include <vector>

#include "ZcDbEntity.h"
#include "platform/db/RawTag.h"

namespace platform {

// Objects of kinds the object model does not hold (plot settings, layouts,
// materials, visual styles, …), kept as a file gave them so that a drawing
// read and written again loses nothing. The object's handle, owner,
// reactors, extension dictionary and extended data are the object's own;
// the tags are everything else, in the file's order, with the handles
// inside them still valid because handles are kept.
class ZcDbRawObject : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRawObject)

    ZcDbRawObject(std::string kind, ZcDbRawTags tags) : m_kind(std::move(kind)), m_tags(std::move(tags)) {}

    // The DXF kind ("LAYOUT", "MATERIAL", …).
    const std::string& kind() const { return m_kind; }
    const ZcDbRawTags& tags() const { return m_tags; }

    ZcDbObject* clone() const override;

private:
    std::string m_kind;
    ZcDbRawTags m_tags;
};

// A record of a table the object model does not hold (VPORT, VIEW, UCS,
// DIMSTYLE, …), kept as read. Its table keeps the order of the records.
class ZcDbRawRecord : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRawRecord)

    ZcDbRawRecord(std::string kind, ZcDbRawTags tags, int handleCode)
        : m_kind(std::move(kind)), m_tags(std::move(tags)), m_handleCode(handleCode) {}

    const std::string& kind() const { return m_kind; }
    const ZcDbRawTags& tags() const { return m_tags; }
    // The record's name (code 2), or "".
    std::string name() const;
    // DIMSTYLE records give their handle under 105, the others under 5.
    int handleCode() const { return m_handleCode; }

private:
    std::string m_kind;
    ZcDbRawTags m_tags;
    int m_handleCode = 5;
};

// An entity of a kind the object model does not hold (dimensions,
// viewports, images, solids, …) or one whose data the model
// cannot carry whole. Layer, colour, linetype, lineweight, linetype scale
// and visibility are the entity's own; the tags are the rest after the
// common entity part. A complex entity (a polyline with its vertices, a
// reference with its attributes) lists the entities that follow it in the
// file, the end-of-sequence mark last; they belong to it.
class ZcDbRawEntity : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRawEntity)

    ZcDbRawEntity(std::string kind, ZcDbRawTags tags) : m_kind(std::move(kind)), m_tags(std::move(tags)) {}

    const std::string& kind() const { return m_kind; }
    const ZcDbRawTags& tags() const { return m_tags; }
    // Tags of a copy whose handles and names now belong to another drawing.
    void setTags(ZcDbRawTags tags) { m_tags = std::move(tags); }
    const std::vector<ZcDbObjectId>& following() const { return m_following; }
    void setFollowing(std::vector<ZcDbObjectId> ids) { m_following = std::move(ids); }

    // A copy without the entities that follow it.
    ZcDbObject* clone() const override;

    // A 2D or 3D polyline's box is that of its vertices (bulges not
    // followed), a spline's that of its control and fit points, so that
    // they can be picked as the host picks them; other kept kinds have none
    // (eInvalidExtents).
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;

private:
    std::string m_kind;
    ZcDbRawTags m_tags;
    std::vector<ZcDbObjectId> m_following;
};

}  // namespace platform
