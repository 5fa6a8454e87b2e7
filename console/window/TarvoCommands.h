#pragma once

#include <QIcon>
#include <QString>

#include <vector>

// A command of the Tarvo menu and toolbar.
struct TarvoCommand {
    const char* name;     // as typed at the command prompt
    const char* tooltip;  // what it draws, in Polish
};

const std::vector<TarvoCommand>& tarvoCommands();

// The command's toolbar icon, built into the window from
// resources/icons/commands (drawn by tools/CommandIcons.cpp).
QIcon commandIcon(const TarvoCommand& command);
