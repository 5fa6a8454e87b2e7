#pragma once

#include <vector>

#include "ZcEdCommand.h"

// The command group every command of the system is registered in.
inline constexpr const char* kCommandGroup = "Tarvo";

// One command of the system: its name (global and local alike) and handler.
struct CommandRow {
    const char* name;
    ZcRxFunctionPtr handler;
};

// The system's commands in registration order.
const std::vector<CommandRow>& CommandTable();

// Adds each row to the host's command stack in group kCommandGroup, with
// flags 1, no UI context, function code -1, no resource instance. A name
// already taken does not stop the rows after it.
void RegisterCommands(const std::vector<CommandRow>& rows);

// Removes the whole command group from the host's command stack.
void RemoveCommands();
