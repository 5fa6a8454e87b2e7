#pragma once

#include <QDialog>
#include <optional>
#include <string>

// The platform's dialogs on the window's screen. The platform runs a
// dialog and asks for the user's actions as lines; the window asks here.

// Shows the dialogs the platform runs as they are now, and hides or closes
// the rest: a dialog that hid itself for picks is hidden, one that ended is
// gone. Call it before each line the window reads.
void showRunningDialogs(QWidget* parent);

// Whether a shown dialog (or the colour dialog) waits for the user.
bool dialogAwaitsAction();

// Shows the dialog that waits and runs the event loop until the user acts
// on it: the script line of that action ("" for Enter, "*cancel*" for Esc).
// Nothing when no dialog waits, or when stopWaitingForDialog ended the wait.
std::optional<std::string> nextDialogAction(QWidget* parent);

// Performs a script's line on the waiting dialog as a user would: a "dlg"
// action as a click or keys on the widget of its control, at its place on
// screen; "" and "*cancel*" as Enter and Esc. The next nextDialogAction
// gives the line the widget turned it into. False when no dialog waits.
bool replayDialogAction(const std::string& line);

// Ends a nextDialogAction that is waiting (the window is closing).
void stopWaitingForDialog();

// The dialog window on top now, or null; for screenshots and tests.
QDialog* shownDialogWindow();
