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

// The command's toolbar icon, drawn from its name: the board's or
// marking's colours and a short label, so the icons need no files.
QIcon commandIcon(const TarvoCommand& command);
