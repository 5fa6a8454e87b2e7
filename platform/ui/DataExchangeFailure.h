#pragma once

#include <string>

namespace platform {

// Unwinds a data exchange to UpdateData. A field the user got wrong has
// had its message shown already (problem empty); a dialog asking for a
// control its template lacks is the program's fault, reported by UpdateData.
struct DataExchangeFailure {
    std::string problem;
};

}  // namespace platform
