#pragma once

#include <string_view>

namespace platform {

// The host's own commands, which take their arguments on the same line:
// SAVE path, UCS [x,y[,z] [angle]], LAYER name, ARX U|L [file], REGEN, QUIT,
// U, UNDO [n], REDO.
bool isHostCommand(std::string_view name);

// Runs a host command. nested: asked for by an application (zcedCommand)
// while one of its commands runs, where ARX and QUIT are refused. False
// when the command failed or was refused.
bool runHostCommand(std::string_view name, std::string_view arguments, bool nested = false);

}  // namespace platform
