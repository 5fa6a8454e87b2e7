#pragma once

#include "ZcDbText.h"
#include "ZrxExport.h"

// A field of a block: references of the block get one attribute per
// non-constant definition.
class ZRX_EXPORT ZcDbAttributeDefinition : public ZcDbText {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbAttributeDefinition)

    std::string tag() const { return m_tag; }
    Zcad::ErrorStatus setTag(const char* tag);
    std::string prompt() const { return m_prompt; }
    Zcad::ErrorStatus setPrompt(const char* prompt);
    bool isInvisible() const { return m_invisible; }
    Zcad::ErrorStatus setInvisible(bool on);
    bool isConstant() const { return m_constant; }
    Zcad::ErrorStatus setConstant(bool on);
    bool isVerifiable() const { return m_verifiable; }
    Zcad::ErrorStatus setVerifiable(bool on);
    bool isPreset() const { return m_preset; }
    Zcad::ErrorStatus setPreset(bool on);
    int fieldLength() const { return m_fieldLength; }
    Zcad::ErrorStatus setFieldLength(int length);

    ZcDbObject* clone() const override;

private:
    std::string m_tag;
    std::string m_prompt;
    int m_fieldLength = 0;
    bool m_invisible = false;
    bool m_constant = false;
    bool m_verifiable = false;
    bool m_preset = false;
};
