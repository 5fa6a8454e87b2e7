#pragma once

#include <vector>

#include "ZcDbObject.h"
#include "resbuf.h"

namespace platform {

// One result buffer in stored form; false for a type that holds no value,
// a value that is not finite or a string that is not UTF-8.
bool itemFromResbuf(const resbuf* rb, ZcDbXDataItem& item);
// A new result buffer of a stored item (released with zcutRelRb).
resbuf* itemToResbuf(const ZcDbXDataItem& item);
// A new list of stored items, or null for none.
resbuf* itemsToList(const std::vector<ZcDbXDataItem>& items);

}  // namespace platform
