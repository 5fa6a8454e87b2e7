#pragma once

#include "ZcDbText.h"
#include "ZrxExport.h"

// An attribute of a block reference, owned by the reference.
class ZRX_EXPORT ZcDbAttribute : public ZcDbText {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbAttribute)

    std::string tag() const { return m_tag; }
    Zcad::ErrorStatus setTag(const char* tag);
    bool isInvisible() const { return m_invisible; }
    Zcad::ErrorStatus setInvisible(bool on);
    bool isConstant() const { return m_constant; }
    Zcad::ErrorStatus setConstant(bool on);
    int fieldLength() const { return m_fieldLength; }
    Zcad::ErrorStatus setFieldLength(int length);

    ZcDbObject* clone() const override;

private:
    std::string m_tag;
    int m_fieldLength = 0;
    bool m_invisible = false;
    bool m_constant = false;
};
