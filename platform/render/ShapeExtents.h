#pragma once

#include "ZcDbExtents.h"
#include "ZrxExport.h"
#include "platform/render/Shape.h"

namespace platform {

// The box round the ink of the shapes given to it, in world coordinates.
class ZRX_EXPORT ShapeExtents : public ShapeSink {
public:
    void add(const Shape& shape) override;
    const ZcDbExtents& extents() const { return m_extents; }

private:
    void addPoint(const Affine2& map, const ZcGePoint2d& p);
    ZcDbExtents m_extents;
};

}  // namespace platform
