#pragma once

#include <algorithm>

#include "ZcGePoint3d.h"
#include "ZrxExport.h"

// An axis-aligned box; empty until the first point is added.
class ZRX_EXPORT ZcDbExtents {
public:
    ZcDbExtents() = default;
    ZcDbExtents(const ZcGePoint3d& a, const ZcGePoint3d& b) { addPoint(a), addPoint(b); }

    const ZcGePoint3d& minPoint() const { return m_min; }
    const ZcGePoint3d& maxPoint() const { return m_max; }
    bool isEmpty() const { return m_empty; }

    void addPoint(const ZcGePoint3d& p)
    {
        if (m_empty) {
            m_min = m_max = p;
            m_empty = false;
            return;
        }
        m_min = {std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z)};
        m_max = {std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z)};
    }
    void addExt(const ZcDbExtents& e)
    {
        if (!e.m_empty) {
            addPoint(e.m_min);
            addPoint(e.m_max);
        }
    }

private:
    ZcGePoint3d m_min;
    ZcGePoint3d m_max;
    bool m_empty = true;
};
