#pragma once

#include <vector>

#include "ZcEdCommand.h"
#include "frame/CommandSettings.h"

// The command group every command of the system is registered in.
inline constexpr const char* kCommandGroup = "Tarvo";

// One command of the system: its name (global and local alike), its
// handler, and for a dialog command the fields of the session's choices its
// dialog gives back when it closes.
struct CommandRow {
    const char* name;
    ZcRxFunctionPtr handler;
    KeptSettings kept = kKeepNothing;
};

// The system's commands in registration order.
const std::vector<CommandRow>& CommandTable();

// The row of the system's command whose handler this is, so that a handler
// reads its name and kept fields from the one place that states them; a row
// with no name that keeps nothing for a handler not in the table.
const CommandRow& CommandRowOf(ZcRxFunctionPtr handler);

// Adds each row to the host's command stack in group kCommandGroup, with
// flags 1, no UI context, function code -1, no resource instance. A name
// already taken does not stop the rows after it.
void RegisterCommands(const std::vector<CommandRow>& rows);

// Removes the whole command group from the host's command stack.
void RemoveCommands();
