#include "ZcDbAttribute.h"

#include "platform/core/Utf8.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbAttribute, ZcDbText)

// A tag names the field; an empty one could not be matched or written.
Zcad::ErrorStatus ZcDbAttribute::setTag(const char* tag)
{
    return setField(m_tag, tag, tag && *tag && isWellFormedUtf8(tag));
}

Zcad::ErrorStatus ZcDbAttribute::setInvisible(bool on)
{
    return setField(m_invisible, on);
}

Zcad::ErrorStatus ZcDbAttribute::setConstant(bool on)
{
    return setField(m_constant, on);
}

Zcad::ErrorStatus ZcDbAttribute::setFieldLength(int length)
{
    return setField(m_fieldLength, length, length >= 0);
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
