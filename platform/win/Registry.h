#pragma once

#include <string>

#include "ZrxExport.h"

namespace platform {

// Where the process's registry comes from: a .reg file, read again at each
// RegOpenKeyExA so that edits show at the next open, or a .reg text held in
// memory. An open key keeps the values it had when it was opened. Until one
// is chosen the registry is empty: every key is missing.

ZRX_EXPORT void useRegistryFile(const std::string& path);
ZRX_EXPORT void useRegistryText(std::string text);

// Checks that the registry in use can be read; false with the reason in
// error (a file that is missing or is not a registry file).
ZRX_EXPORT bool checkRegistry(std::string& error);

// Keys opened by RegOpenKeyExA and not yet closed (hives do not count).
int openRegistryKeyCount();

}  // namespace platform
