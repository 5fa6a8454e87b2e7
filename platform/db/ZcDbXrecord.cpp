#include "ZcDbXrecord.h"

#include "platform/db/XDataItems.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbXrecord, ZcDbObject)

Zcad::ErrorStatus ZcDbXrecord::rbChain(resbuf** chain) const
{
    if (!chain)
        return Zcad::eInvalidInput;
    *chain = itemsToList(m_items);
    return Zcad::eOk;
}

namespace {
// Codes a record's data may use: structure codes (0 entity start, 5/105
// handle, 100-102 markers) would break the record in a file, and 1000 and
// above are extended data's own.
bool isRecordDataCode(int code)
{
    return code >= 1 && code <= 369 && code != 5 && code != 105 && (code < 100 || code > 102);
}
}  // namespace

Zcad::ErrorStatus ZcDbXrecord::setFromRbChain(const resbuf* chain)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    std::vector<ZcDbXDataItem> items;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        ZcDbXDataItem item;
        if (!isRecordDataCode(rb->restype) || !itemFromResbuf(rb, item))
            return Zcad::eInvalidInput;
        items.push_back(std::move(item));
    }
    m_items = std::move(items);
    return Zcad::eOk;
}

ZcDbObject* ZcDbXrecord::clone() const
{
    auto* copy = new ZcDbXrecord;
    copyObjectDataTo(copy);
    copy->m_items = m_items;
    return copy;
}
