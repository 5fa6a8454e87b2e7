#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ZcGePoint3d.h"
#include "ZrxExport.h"
#include "platform/editor/DialogAction.h"

namespace platform {

// One line of command-line input, as a script holds it or a user types it.
struct ScriptLine {
    enum class Kind {
        Comment,    // "; text"
        Enter,      // empty line
        Cancel,     // "*cancel*" (Esc)
        Point,      // "x,y" or "x,y,z"
        Number,     // "12.5"
        Pick,       // "pick x,y"
        Click,      // "click x,y": a left click in the view; the prompt makes it a point or a pick
        Dialog,     // "dlg ..."
        Text,       // anything else: a command line, a keyword
        Malformed,  // a "pick", "click" or "dlg" line that says its kind but not rightly
    };

    Kind kind = Kind::Enter;
    std::string text;     // the line without surrounding blanks
    ZcGePoint3d point;    // Point, Pick, Click (z is 0 when not given)
    double number = 0.0;  // Number
    std::optional<DialogAction> dialog;  // Dialog (kept apart: most lines are no dialog action)
    std::string error;    // Malformed: what is wrong
};

// raw is the line without its line end; blanks around it do not count,
// except in the text of "dlg set", which is kept as typed.
ScriptLine parseScriptLine(std::string_view raw);

// A finite decimal number ("12", "-0.5", "1e3"); nothing for anything else.
std::optional<double> parseNumber(std::string_view text);
// "x,y" or "x,y,z" of finite numbers, blanks allowed around each.
ZRX_EXPORT std::optional<ZcGePoint3d> parsePoint(std::string_view text);

}  // namespace platform
