#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ZrxExport.h"

namespace platform {

// One "dlg ..." line of a script: what a user does in the open dialog.
struct DialogAction {
    enum class Verb { Set, Line, Select, Check, Click, Color };

    Verb verb = Verb::Click;
    // The control as written: a number or a resource name (IDC_..., IDOK, IDCANCEL).
    std::string control;
    // The control's number when it was written as one, else -1.
    int controlId = -1;
    // Set: the text as typed (rest of the line). Line: the text typed after
    // Enter at the end of a multi-line edit. Select: the item's text when
    // chosen by text.
    std::string text;
    // Select: the item's index when chosen by index, else -1.
    int index = -1;
    // Check: on or off.
    bool checked = false;
    // Color: the answer, or the dialog cancelled.
    bool colorCancelled = false;
    uint8_t red = 0, green = 0, blue = 0;
};

// Parses what follows "dlg " on a line; nothing (with a message in error)
// when it is not one of the dialog actions.
ZRX_EXPORT std::optional<DialogAction> parseDialogAction(std::string_view rest, std::string& error);

}  // namespace platform
