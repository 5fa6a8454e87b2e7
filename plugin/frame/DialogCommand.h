#pragma once

#include "frame/CommandSettings.h"
#include "frame/CommandTable.h"

// A dialog command: the dialog starts from the process's last choices and,
// however it closes (its close button, Esc or the close box, which all end
// in the close button's handler), the fields its command's row keeps go
// back for the next dialog command. The dialog gives its copy as settings().
template <class Dialog>
void RunSettingsDialog(const CommandRow& command)
{
    Dialog dialog;
    dialog.settings() = TheCommandSettings();
    dialog.DoModal();
    CopyBackCommandSettings(command.kept, dialog.settings(), TheCommandSettings());
}
