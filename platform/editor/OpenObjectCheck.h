#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ZrxExport.h"

class ZcDbDatabase;

namespace platform {

// "ZcDbLine 2F" for each object of the drawing still open, in handle order.
std::vector<std::string> describeOpenObjects(const ZcDbDatabase* db);

// After a command (or an application's load or unload): every object must
// be closed by whoever opened it. Each one left open is named and the run
// fails ("Po <after><subject> ..."). True when none is open.
ZRX_EXPORT bool checkNothingLeftOpen(const ZcDbDatabase* db, std::string_view after, std::string_view subject = {});

}  // namespace platform
