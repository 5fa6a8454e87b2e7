#pragma once

#include <string>

#include "ZcDbEntity.h"
#include "ZrxExport.h"

// Multi-line text: contents in the host's formatting codes ("\P" breaks a line).
class ZRX_EXPORT ZcDbMText : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbMText)

    enum AttachmentPoint {
        kTopLeft = 1, kTopCenter = 2, kTopRight = 3,
        kMiddleLeft = 4, kMiddleCenter = 5, kMiddleRight = 6,
        kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9,
    };

    ZcGePoint3d location() const { return m_location; }
    Zcad::ErrorStatus setLocation(const ZcGePoint3d& p);
    std::string contents() const { return m_contents; }
    // UTF-8 text.
    Zcad::ErrorStatus setContents(const char* text);
    double textHeight() const { return m_height; }
    Zcad::ErrorStatus setTextHeight(double h);
    // The wrapping width; 0 does not wrap.
    double width() const { return m_width; }
    Zcad::ErrorStatus setWidth(double w);
    AttachmentPoint attachment() const { return m_attachment; }
    Zcad::ErrorStatus setAttachment(AttachmentPoint a);
    ZcDbObjectId textStyle() const { return m_style; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId style);
    double rotation() const { return m_rotation; }
    Zcad::ErrorStatus setRotation(double angle);
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }
    // Kept for writing back: the lines of a text of one height stand the
    // same either way, which is all the layout here gives.
    ZcDb::LineSpacingStyle lineSpacingStyle() const { return m_spacingStyle; }
    Zcad::ErrorStatus setLineSpacingStyle(ZcDb::LineSpacingStyle style);

    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

private:
    ZcGePoint3d m_location;
    std::string m_contents;
    ZcDbObjectId m_style;
    double m_height = 2.5;
    double m_width = 0.0;
    double m_rotation = 0.0;
    AttachmentPoint m_attachment = kTopLeft;
    ZcDb::LineSpacingStyle m_spacingStyle = ZcDb::kAtLeast;
};
