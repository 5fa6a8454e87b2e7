#include "ZcDbLeader.h"

#include "platform/db/entities/Finite.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbLeader, ZcDbEntity)

bool ZcDbLeader::appendVertex(const ZcGePoint3d& p)
{
    if (assertWriteEnabled() != Zcad::eOk || !isFinite(p))
        return false;
    m_vertices.push_back(p);
    return true;
}

void ZcDbLeader::removeLastVertex()
{
    if (assertWriteEnabled() == Zcad::eOk && !m_vertices.empty())
        m_vertices.pop_back();
}

// Out of range: the origin, as there is no status to report.
ZcGePoint3d ZcDbLeader::vertexAt(int index) const
{
    if (index < 0 || index >= numVertices())
        return ZcGePoint3d::kOrigin;
    return m_vertices[size_t(index)];
}

bool ZcDbLeader::setVertexAt(int index, const ZcGePoint3d& p)
{
    if (assertWriteEnabled() != Zcad::eOk || index < 0 || index >= numVertices() || !isFinite(p))
        return false;
    m_vertices[size_t(index)] = p;
    return true;
}

Zcad::ErrorStatus ZcDbLeader::getGeomExtents(ZcDbExtents& extents) const
{
    if (m_vertices.empty())
        return Zcad::eInvalidExtents;
    extents = ZcDbExtents();
    for (const ZcGePoint3d& p : m_vertices)
        extents.addPoint(p);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    std::vector<ZcGePoint3d> moved;
    for (const ZcGePoint3d& p : m_vertices) {
        moved.push_back(xform * p);
        if (!isFinite(moved.back()))
            return Zcad::eInvalidInput;
    }
    m_vertices = std::move(moved);
    return Zcad::eOk;
}

ZcDbObject* ZcDbLeader::clone() const
{
    auto* copy = new ZcDbLeader;
    copy->m_vertices = m_vertices;
    copy->m_arrowHead = m_arrowHead;
    copyEntityDataTo(copy);
    return copy;
}
