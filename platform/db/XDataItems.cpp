#include "platform/db/XDataItems.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/core/ResbufTypes.h"
#include "platform/core/Utf8.h"
#include "platform/db/entities/Finite.h"

namespace platform {

static bool itemIsFinite(const ZcDbXDataItem& item)
{
    return isDrawingNumber(item.values[0]) && isDrawingNumber(item.values[1]) && isDrawingNumber(item.values[2]);
}

// One result buffer as a stored item; false for a type extended data cannot hold.
bool itemFromResbuf(const resbuf* rb, ZcDbXDataItem& item)
{
    item = ZcDbXDataItem{};
    item.code = rb->restype;
    switch (resbufValueKind(rb->restype)) {
    case ResbufValue::String:
        item.text = rb->resval.rstring ? rb->resval.rstring : "";
        return isWellFormedUtf8(item.text);
    case ResbufValue::Binary:
        if (rb->resval.rbinary.clen < 0 || (rb->resval.rbinary.clen > 0 && !rb->resval.rbinary.buf))
            return false;
        item.text.assign(rb->resval.rbinary.buf ? rb->resval.rbinary.buf : "", size_t(rb->resval.rbinary.clen));
        return true;
    case ResbufValue::Point:
        std::copy(rb->resval.rpoint, rb->resval.rpoint + 3, item.values);
        return itemIsFinite(item);
    case ResbufValue::Real:
        item.values[0] = rb->resval.rreal;
        return itemIsFinite(item);
    case ResbufValue::Short:
        item.integer = rb->resval.rint;
        return true;
    case ResbufValue::Long:
        item.integer = rb->resval.rlong;
        return true;
    default:
        return false;
    }
}

resbuf* itemToResbuf(const ZcDbXDataItem& item)
{
    resbuf* rb = zcutNewRb(item.code);
    switch (resbufValueKind(item.code)) {
    case ResbufValue::String:
        rb->resval.rstring = zcutNewString(item.text.c_str());
        break;
    case ResbufValue::Binary:
        rb->resval.rbinary.clen = short(item.text.size());
        rb->resval.rbinary.buf = static_cast<char*>(std::malloc(item.text.size() + 1));
        std::copy(item.text.begin(), item.text.end(), rb->resval.rbinary.buf);
        break;
    case ResbufValue::Point:
        std::copy(item.values, item.values + 3, rb->resval.rpoint);
        break;
    case ResbufValue::Real:
        rb->resval.rreal = item.values[0];
        break;
    case ResbufValue::Short:
        rb->resval.rint = short(item.integer);
        break;
    case ResbufValue::Long:
        rb->resval.rlong = item.integer;
        break;
    default:
        break;
    }
    return rb;
}

resbuf* itemsToList(const std::vector<ZcDbXDataItem>& items)
{
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const ZcDbXDataItem& item : items) {
        *tail = itemToResbuf(item);
        tail = &(*tail)->rbnext;
    }
    return head;
}

}  // namespace platform
