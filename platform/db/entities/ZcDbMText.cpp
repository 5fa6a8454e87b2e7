#include "ZcDbMText.h"

#include "platform/core/Utf8.h"
#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"
#include "platform/db/entities/TextChecks.h"
#include "platform/text/TextLayout.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbMText, ZcDbEntity)

Zcad::ErrorStatus ZcDbMText::setLocation(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_location = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setContents(const char* text)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!text || !isWellFormedUtf8(text))
        return Zcad::eInvalidInput;
    m_contents = text;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setTextHeight(double h)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(h) || h <= 0.0)
        return Zcad::eInvalidInput;
    m_height = h;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setWidth(double w)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(w) || w < 0.0)
        return Zcad::eInvalidInput;
    m_width = w;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setAttachment(AttachmentPoint a)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (a < kTopLeft || a > kBottomRight)
        return Zcad::eInvalidInput;
    m_attachment = a;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setTextStyle(ZcDbObjectId style)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (Zcad::ErrorStatus es = checkTextStyle(style, database()); es != Zcad::eOk)
        return es;
    m_style = style;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setRotation(double angle)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(angle))
        return Zcad::eInvalidInput;
    m_rotation = curve::normalizeAngle(angle);
    return Zcad::eOk;
}

// The laid-out box of the text, measured from its style's font.
Zcad::ErrorStatus ZcDbMText::getGeomExtents(ZcDbExtents& extents) const
{
    TextLayout layout;
    if (Zcad::ErrorStatus es = layoutMText(*this, layout); es != Zcad::eOk)
        return es;
    extents = ZcDbExtents();
    for (const ZcGePoint3d& corner : layout.frame)
        extents.addPoint(corner);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const double s = xform.scale();
    const ZcGePoint3d location = xform * m_location;
    const double height = m_height * s;
    const double width = m_width * s;
    const double rotation = m_rotation + analysePlanar(xform).rotation;
    if (!isFinite(location) || !isFinite(height) || !(height > 0.0) || !isFinite(width) || !isFinite(rotation))
        return Zcad::eInvalidInput;
    m_location = location;
    m_height = height;
    m_width = width;
    m_rotation = curve::normalizeAngle(rotation);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setLineSpacingStyle(ZcDb::LineSpacingStyle style)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (style != ZcDb::kAtLeast && style != ZcDb::kExactly)
        return Zcad::eInvalidInput;
    m_spacingStyle = style;
    return Zcad::eOk;
}

ZcDbObject* ZcDbMText::clone() const
{
    auto* copy = new ZcDbMText;
    copy->m_location = m_location;
    copy->m_contents = m_contents;
    copy->m_style = m_style;
    copy->m_height = m_height;
    copy->m_width = m_width;
    copy->m_rotation = m_rotation;
    copy->m_attachment = m_attachment;
    copy->m_spacingStyle = m_spacingStyle;
    copyEntityDataTo(copy);
    return copy;
}
