#pragma once

#include <vector>

#include "ZcDbSymbolTable.h"
#include "ZrxExport.h"

// A linetype: a repeating pattern of dashes (positive), gaps (negative) and
// dots (zero), in drawing units at linetype scale 1.
class ZRX_EXPORT ZcDbLinetypeTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLinetypeTableRecord)

    // A complex element drawn at a dash: a text or a shape.
    struct DashElement {
        short shapeNumber = 0;      // 0: none; with a text, 0 too (the text is the element)
        std::string text;           // text of a text element
        ZcDbObjectId style;         // text style of the element
        double scale = 1.0;
        double rotation = 0.0;
        bool absoluteRotation = false;
        double offsetX = 0.0;
        double offsetY = 0.0;
        bool isText = false;
        bool isShape = false;
    };

    std::string comments() const { return m_comments; }
    Zcad::ErrorStatus setComments(const char* text);
    double patternLength() const;
    int numDashes() const { return static_cast<int>(m_dashes.size()); }
    Zcad::ErrorStatus setNumDashes(int count);
    double dashLengthAt(int index) const;
    Zcad::ErrorStatus setDashLengthAt(int index, double length);
    DashElement elementAt(int index) const;
    Zcad::ErrorStatus setElementAt(int index, const DashElement& element);
    bool isScaledToFit() const { return m_scaledToFit; }
    Zcad::ErrorStatus setIsScaledToFit(bool on);

private:
    std::string m_comments;
    std::vector<double> m_dashes;
    std::vector<DashElement> m_elements;
    bool m_scaledToFit = false;
};

extern template class ZcDbSymbolTableOf<ZcDbLinetypeTableRecord>;

class ZRX_EXPORT ZcDbLinetypeTable : public ZcDbSymbolTableOf<ZcDbLinetypeTableRecord> {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLinetypeTable)
};
