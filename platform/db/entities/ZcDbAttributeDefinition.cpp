#include "ZcDbAttributeDefinition.h"

#include "platform/db/entities/TextChecks.h"

ZCRX_DEFINE_MEMBERS(ZcDbAttributeDefinition, ZcDbText)

// A tag names the field; an empty one could not be matched or written.
Zcad::ErrorStatus ZcDbAttributeDefinition::setTag(const char* tag)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!tag || !*tag || !isValidUtf8(tag))
        return Zcad::eInvalidInput;
    m_tag = tag;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setPrompt(const char* prompt)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!prompt || !isValidUtf8(prompt))
        return Zcad::eInvalidInput;
    m_prompt = prompt;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setInvisible(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_invisible = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setConstant(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_constant = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setVerifiable(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_verifiable = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setPreset(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_preset = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setFieldLength(int length)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (length < 0)
        return Zcad::eInvalidInput;
    m_fieldLength = length;
    return Zcad::eOk;
}

ZcDbObject* ZcDbAttributeDefinition::clone() const
{
    auto* copy = new ZcDbAttributeDefinition;
    copyTextDataTo(copy);
    copy->m_tag = m_tag;
    copy->m_prompt = m_prompt;
    copy->m_fieldLength = m_fieldLength;
    copy->m_invisible = m_invisible;
    copy->m_constant = m_constant;
    copy->m_verifiable = m_verifiable;
    copy->m_preset = m_preset;
    return copy;
}
