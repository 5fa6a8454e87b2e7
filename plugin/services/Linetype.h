#pragma once

#include "ZcadErrorStatus.h"

// The system's linetype file, appended to the installation folder.
inline constexpr const char* kLinetypeFileName = "\\Tarvo.lin";

// Makes sure the working drawing has the linetype: when it has none of that
// name, loads it from the system's linetype file. A name the file does not
// define leaves the drawing without it, and nothing is reported. Returns
// the status of closing the linetype table. A registry that cannot be read
// raises RegistryReadError (the table is closed first).
Zcad::ErrorStatus EnsureLinetype(const char* name);
