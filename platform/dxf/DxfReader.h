#pragma once

#include <string>
#include <string_view>

#include "ZrxExport.h"

class ZcDbDatabase;

namespace platform {

// Reading a drawing from an ASCII DXF file, R12 to R2018: everything the
// object model holds becomes its objects, with the file's handles; what it
// does not hold (other entities and objects, other tables, header
// variables, classes) is kept as read and written back unchanged. Texts
// become UTF-8 from the file's code page or UTF-8. Links that point
// nowhere are dropped, missing fixed parts (tables, layer "0", the
// named-object and group dictionaries) are added, and objects without a
// handle get one above the file's $HANDSEED.

// Reads an ASCII DXF (R12 to R2018) into an empty drawing (constructed as ZcDbDatabase(false)).
// False with a message naming the file, the line and what was wrong.
ZRX_EXPORT bool readDxfFile(const std::string& path, ZcDbDatabase& into, std::string& error);

// The same from a text in memory; name stands for the file in messages.
bool readDxf(std::string_view text, ZcDbDatabase& into, std::string& error, const std::string& name = "<memory>");

}  // namespace platform
