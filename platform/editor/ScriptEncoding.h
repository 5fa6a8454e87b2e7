#pragma once

#include <string>
#include <string_view>

#include "ZrxExport.h"

namespace platform {

// Scripts are UTF-8 text with LF or CR LF line ends. A script saved in
// another encoding would otherwise run as garbage (unknown commands, names
// the drawing refuses), so each line is checked as it is read.

// Why a script's line (split at LF, its CR and a UTF-8 byte-order mark
// already taken off) is not UTF-8 text, naming the encoding it seems to be
// in; empty when it is UTF-8.
ZRX_EXPORT std::string scriptLineEncodingFault(std::string_view line);

}  // namespace platform
