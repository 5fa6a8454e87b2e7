#pragma once

#include <optional>
#include <string>

#include "ZrxExport.h"

namespace platform {

// Every file the platform reads whole (drawings, templates, the linetype
// file, the registry) is opened here. Only a regular file is read: a FIFO
// would hold the open (or the read) until something writes to it, a device
// or a socket may never end, so each is refused at once, before any
// blocking call.

// A descriptor open for reading, or -1 with error ("PATH: why").
ZRX_EXPORT int openInputFile(const std::string& path, std::string& error);

// The file's whole content, or nothing with error ("PATH: why").
ZRX_EXPORT std::optional<std::string> readInputFile(const std::string& path, std::string& error);

}  // namespace platform
