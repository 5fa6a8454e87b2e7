#pragma once

#include <string>

#include "ZcUiDialog.h"
#include "ZrxExport.h"
#include "platform/editor/DialogAction.h"

namespace platform {

// The modal loop: reads the user's actions from the command line's input
// and hands them to the dialog as the controls would.
class ZcUiDialogRunner {
public:
    static void run(CZcUiDialog& dialog);
    // Carries out one action; the reason when the dialog refuses it.
    static std::string act(CZcUiDialog& dialog, const DialogAction& action);
    // Esc and the close box.
    static void cancel(CZcUiDialog& dialog);
    // Enter: the default push button.
    static void enter(CZcUiDialog& dialog);
    // The dialog waiting for the user now (the innermost when one opened
    // another), or null; a screen that shows it asks which one to show.
    ZRX_EXPORT static CZcUiDialog* current();
    // A number that is new for every run, so that a dialog run anew at the
    // same address is not taken for the one before.
    ZRX_EXPORT static unsigned long currentRun();
    // Whether that run is still on, shown or beneath another.
    ZRX_EXPORT static bool isRunning(unsigned long run);
};

}  // namespace platform
