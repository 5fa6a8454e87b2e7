#pragma once

#include <string>

#include "ZcUiDialog.h"
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
};

}  // namespace platform
