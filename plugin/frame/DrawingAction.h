#pragma once

#include <functional>

// Whether a drawing action needs the installation folder from the registry.
enum class FolderUse { NotNeeded, Needed };

// Runs the drawing action of a command or a dialog button. A failed
// registry read abandons it: the registry's message boxes have told the
// user why, the command line says the action was abandoned, and the
// command or dialog goes on. An action that needs the installation folder
// has it read before it starts, so a registry that cannot be read stops it
// before it changes the drawing. Returns whether the action ran to its end.
bool RunDrawingAction(FolderUse folder, const std::function<void()>& action);
