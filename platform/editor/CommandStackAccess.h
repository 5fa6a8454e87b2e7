#pragma once

#include <string>
#include <vector>

#include "ZcEdCommandStack.h"

namespace platform {

// The platform's way into the command stack beyond the host's API.
struct ZcEdCommandStackAccess {
    // Takes out the commands whose handlers are code of a module about to be
    // unloaded, so none is left pointing into unmapped code. Gives
    // "group/name" of each.
    static std::vector<std::string> removeCommandsOf(ZcEdCommandStack& stack, const void* module);
};

}  // namespace platform
