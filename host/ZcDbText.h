#pragma once

#include <string>

#include "ZcDbEntity.h"
#include "ZrxExport.h"

// Single-line text; the base of attributes and attribute definitions.
class ZRX_EXPORT ZcDbText : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbText)

    enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
    enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

    ZcGePoint3d position() const { return m_position; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& p);
    ZcGePoint3d alignmentPoint() const { return m_alignment; }
    Zcad::ErrorStatus setAlignmentPoint(const ZcGePoint3d& p);
    double height() const { return m_height; }
    Zcad::ErrorStatus setHeight(double h);
    double rotation() const { return m_rotation; }
    Zcad::ErrorStatus setRotation(double angle);
    double widthFactor() const { return m_widthFactor; }
    Zcad::ErrorStatus setWidthFactor(double f);
    std::string textString() const { return m_text; }
    // UTF-8 text.
    Zcad::ErrorStatus setTextString(const char* text);
    ZcDbObjectId textStyle() const { return m_style; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId style);
    TextHorzMode horizontalMode() const { return m_horz; }
    Zcad::ErrorStatus setHorizontalMode(TextHorzMode m);
    TextVertMode verticalMode() const { return m_vert; }
    Zcad::ErrorStatus setVerticalMode(TextVertMode m);
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }

    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

protected:
    void copyTextDataTo(ZcDbText* other) const;

private:
    ZcGePoint3d m_position;
    ZcGePoint3d m_alignment;
    std::string m_text;
    ZcDbObjectId m_style;
    double m_height = 2.5;
    double m_rotation = 0.0;
    double m_widthFactor = 1.0;
    TextHorzMode m_horz = kTextLeft;
    TextVertMode m_vert = kTextBase;
};
