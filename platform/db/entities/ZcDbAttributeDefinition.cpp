#include "ZcDbAttributeDefinition.h"

#include "platform/core/Utf8.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbAttributeDefinition, ZcDbText)

// A tag names the field; an empty one could not be matched or written.
Zcad::ErrorStatus ZcDbAttributeDefinition::setTag(const char* tag)
{
    return setField(m_tag, tag, tag && *tag && isWellFormedUtf8(tag));
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setPrompt(const char* prompt)
{
    return setField(m_prompt, prompt, prompt && isWellFormedUtf8(prompt));
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setInvisible(bool on)
{
    return setField(m_invisible, on);
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setConstant(bool on)
{
    return setField(m_constant, on);
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setVerifiable(bool on)
{
    return setField(m_verifiable, on);
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setPreset(bool on)
{
    return setField(m_preset, on);
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setFieldLength(int length)
{
    return setField(m_fieldLength, length, length >= 0);
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
