#include "ZcDbAttribute.h"

#include "platform/db/entities/TextChecks.h"

ZCRX_DEFINE_MEMBERS(ZcDbAttribute, ZcDbText)

// A tag names the field; an empty one could not be matched or written.
Zcad::ErrorStatus ZcDbAttribute::setTag(const char* tag)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!tag || !*tag || !isValidUtf8(tag))
        return Zcad::eInvalidInput;
    m_tag = tag;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttribute::setInvisible(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_invisible = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttribute::setConstant(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_constant = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttribute::setFieldLength(int length)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (length < 0)
        return Zcad::eInvalidInput;
    m_fieldLength = length;
    return Zcad::eOk;
}

ZcDbObject* ZcDbAttribute::clone() const
{
    auto* copy = new ZcDbAttribute;
    copyTextDataTo(copy);
    copy->m_tag = m_tag;
    copy->m_fieldLength = m_fieldLength;
    copy->m_invisible = m_invisible;
    copy->m_constant = m_constant;
    return copy;
}
