#pragma once

#include <string>

// The console's parts that need large libraries (the workbook writer, line
// editing) are modules of their own beside the plug-in, loaded the first
// time they are used: a run that writes no workbook and reads no terminal
// does not map those libraries at all.

// The address of entry in the module (file name without ".so"), loading it
// once; nullptr, with the reason in error, when either cannot be found.
void* consoleModuleEntry(const std::string& module, const char* entry, std::string& error);
