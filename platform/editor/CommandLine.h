#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ZrxExport.h"
#include "platform/editor/EntityPick.h"
#include "platform/editor/InputSource.h"
#include "platform/editor/ScriptLine.h"
#include "platform/editor/UserCoordinateSystem.h"

namespace platform {

// What ended a run early, and the console's exit status for it.
struct RunFailure {
    int exitStatus = 1;
    std::string message;
};

// Exit statuses of a run.
inline constexpr int kExitScriptFailure = 1;
// A script that is not UTF-8 text: the wrong file given, as wrong usage.
inline constexpr int kExitNotAScript = 2;
inline constexpr int kExitDrawingUnwritable = 3;

// The kinds of line a prompt takes besides Enter and *cancel*, which every
// prompt takes.
enum AcceptedInput : unsigned {
    kAcceptPoint = 1u << 0,
    kAcceptNumber = 1u << 1,
    kAcceptPick = 1u << 2,
    kAcceptText = 1u << 3,
    kAcceptDialog = 1u << 4,
};

// What the command line waits for while it reads an answer: the kinds of
// line the prompt takes (AcceptedInput), the prompt as given, and the base
// point of a prompt that has one (in the current user system), from which a
// screen draws its rubber band.
struct PendingPrompt {
    unsigned accepted = 0;
    std::string prompt;
    std::optional<ZcGePoint3d> base;
};

// Limits set by zcedInitGet for the next input function.
struct InputLimits {
    int flags = 0;
    std::vector<std::string> keywords;
};

// The host's command line: the input it reads, its user coordinate
// system, and how a run is going.
class ZRX_EXPORT CommandLine {
public:
    // The lines to read; null: none (every prompt is answered with Esc).
    void setInput(InputSource* input) { m_input = input; }
    InputSource* input() const { return m_input; }
    // Starts a new run: no failure, input not ended, no quit asked.
    void reset();

    // Shows the prompt and reads the answer. Comments are skipped; a line
    // that fits none of the accepted kinds ends a script run with its line
    // number and what was expected, or is asked for again when typed.
    // Nothing when the input has ended or the run is failing: the caller
    // then answers as if Esc were pressed, until its command unwinds.
    // A "click" line is the point itself where a point fits, else a pick
    // where a pick fits. base: the prompt's base point, if it has one.
    std::optional<ScriptLine> ask(std::string_view prompt, unsigned accepted, std::string_view expected,
                                  const std::optional<ZcGePoint3d>& base = std::nullopt);
    // What ask is waiting for now; nothing when no answer is being read.
    const std::optional<PendingPrompt>& pending() const { return m_pending; }
    // A line that was read but does not fit: as ask does for one. True when
    // the line may be asked for again (typed input).
    bool misfit(const ScriptLine& line, std::string_view problem);
    // What the prompt being answered takes (AcceptedInput bits), so that a
    // screen can turn a click into the answer that fits it.
    unsigned awaited() const { return m_pending ? m_pending->accepted : 0u; }
    // A value the prompt refuses (the host's short message); asked again.
    void refuse(std::string_view message);
    // A command's own error: ends a script run; typed, it is only shown.
    void commandError(std::string_view message, int exitStatus = kExitScriptFailure);

    // Ends the run with a failure; the first one counts.
    void fail(int exitStatus, std::string message);
    const std::optional<RunFailure>& failure() const { return m_failure; }
    bool inputEnded() const { return m_inputEnded; }
    void requestQuit() { m_quit = true; }
    bool quitRequested() const { return m_quit; }
    // Whether input can still be read (not ended, not failing, not quitting).
    bool live() const { return m_input && !m_inputEnded && !m_failure && !m_quit; }

    // How far from a picked point an entity is still found, in drawing
    // units; a screen sets it from its pick box in pixels at each zoom.
    // False (and nothing changed) unless finite and above zero.
    bool setPickBox(double drawingUnits);
    double pickBox() const { return m_pickBox; }

    UserCoordinateSystem& ucs() { return m_ucs; }
    const UserCoordinateSystem& ucs() const { return m_ucs; }

    void setInputLimits(InputLimits limits) { m_limits = std::move(limits); }
    // The limits for this input function; the next one starts without any.
    InputLimits takeInputLimits() { return std::exchange(m_limits, InputLimits{}); }
    void setLastKeyword(std::string keyword) { m_lastKeyword = std::move(keyword); }
    const std::string& lastKeyword() const { return m_lastKeyword; }

    // A modal dialog is open (shown, or hidden while its command asks for
    // input) from open until close; caption names it in messages.
    void dialogOpened(std::string caption) { m_dialogs.push_back(std::move(caption)); }
    void dialogClosed() { m_dialogs.pop_back(); }

    // The applications the console loads, which ARX L loads again.
    void setApplications(std::vector<std::string> paths) { m_applications = std::move(paths); }
    const std::vector<std::string>& applications() const { return m_applications; }

private:
    std::optional<std::string_view> readAnswer(std::string_view prompt);

    InputSource* m_input = nullptr;
    std::optional<RunFailure> m_failure;
    bool m_inputEnded = false;
    bool m_quit = false;
    UserCoordinateSystem m_ucs;
    InputLimits m_limits;
    std::string m_lastKeyword;
    std::vector<std::string> m_applications;
    std::vector<std::string> m_dialogs;
    std::optional<PendingPrompt> m_pending;
    double m_pickBox = kPickAperture;
};

ZRX_EXPORT CommandLine& commandLine();

// The prompt as shown: its text and, unless it ends in a colon or a blank, ": ".
std::string promptShown(std::string_view prompt);

}  // namespace platform
