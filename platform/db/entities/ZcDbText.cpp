#include "ZcDbText.h"

#include "platform/core/Utf8.h"
#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"
#include "platform/db/entities/TextChecks.h"
#include "platform/text/TextLayout.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbText, ZcDbEntity)

Zcad::ErrorStatus ZcDbText::setPosition(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_position = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setAlignmentPoint(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_alignment = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setHeight(double h)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(h) || h <= 0.0)
        return Zcad::eInvalidInput;
    m_height = h;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setRotation(double angle)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(angle))
        return Zcad::eInvalidInput;
    m_rotation = curve::normalizeAngle(angle);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setWidthFactor(double f)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(f) || f <= 0.0)
        return Zcad::eInvalidInput;
    m_widthFactor = f;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setTextString(const char* text)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!text || !isWellFormedUtf8(text))
        return Zcad::eInvalidInput;
    m_text = text;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setTextStyle(ZcDbObjectId style)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (Zcad::ErrorStatus es = checkTextStyle(style, database()); es != Zcad::eOk)
        return es;
    m_style = style;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setHorizontalMode(TextHorzMode m)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (m < kTextLeft || m > kTextFit)
        return Zcad::eInvalidInput;
    m_horz = m;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setVerticalMode(TextVertMode m)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (m < kTextBase || m > kTextTop)
        return Zcad::eInvalidInput;
    m_vert = m;
    return Zcad::eOk;
}

// The laid-out box of the text, measured from its style's font.
Zcad::ErrorStatus ZcDbText::getGeomExtents(ZcDbExtents& extents) const
{
    TextLayout layout;
    if (Zcad::ErrorStatus es = layoutText(*this, layout); es != Zcad::eOk)
        return es;
    extents = ZcDbExtents();
    for (const ZcGePoint3d& corner : layout.frame)
        extents.addPoint(corner);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const ZcGePoint3d position = xform * m_position;
    const ZcGePoint3d alignment = xform * m_alignment;
    const double height = m_height * xform.scale();
    const double rotation = m_rotation + analysePlanar(xform).rotation;
    if (!isFinite(position) || !isFinite(alignment) || !isFinite(height) || !(height > 0.0) || !isFinite(rotation))
        return Zcad::eInvalidInput;
    m_position = position;
    m_alignment = alignment;
    m_height = height;
    m_rotation = curve::normalizeAngle(rotation);
    return Zcad::eOk;
}

void ZcDbText::copyTextDataTo(ZcDbText* other) const
{
    copyEntityDataTo(other);
    other->m_position = m_position;
    other->m_alignment = m_alignment;
    other->m_text = m_text;
    other->m_style = m_style;
    other->m_height = m_height;
    other->m_rotation = m_rotation;
    other->m_widthFactor = m_widthFactor;
    other->m_horz = m_horz;
    other->m_vert = m_vert;
}

ZcDbObject* ZcDbText::clone() const
{
    auto* copy = new ZcDbText;
    copyTextDataTo(copy);
    return copy;
}
