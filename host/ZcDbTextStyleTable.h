#pragma once

#include "ZcDbSymbolTable.h"
#include "ZrxExport.h"

class ZRX_EXPORT ZcDbTextStyleTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTextStyleTableRecord)

    // The font file's name as stored ("Tarvowa.ttf", "txt").
    std::string fileName() const { return m_fileName; }
    Zcad::ErrorStatus fileName(const char*& name) const;
    Zcad::ErrorStatus setFileName(const char* name);
    std::string bigFontFileName() const { return m_bigFont; }
    Zcad::ErrorStatus setBigFontFileName(const char* name);
    // The fixed height; 0 lets each text choose.
    double textSize() const { return m_textSize; }
    Zcad::ErrorStatus setTextSize(double size);
    double xScale() const { return m_xScale; }
    Zcad::ErrorStatus setXScale(double scale);
    double obliquingAngle() const { return m_oblique; }
    Zcad::ErrorStatus setObliquingAngle(double angle);
    double priorSize() const { return m_priorSize; }
    Zcad::ErrorStatus setPriorSize(double size);

private:
    std::string m_fileName = "txt";
    std::string m_bigFont;
    double m_textSize = 0.0;
    double m_xScale = 1.0;
    double m_oblique = 0.0;
    double m_priorSize = 2.5;
};

extern template class ZcDbSymbolTableOf<ZcDbTextStyleTableRecord>;

class ZRX_EXPORT ZcDbTextStyleTable : public ZcDbSymbolTableOf<ZcDbTextStyleTableRecord> {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTextStyleTable)
};
