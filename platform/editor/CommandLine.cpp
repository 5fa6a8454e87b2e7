#include "platform/editor/CommandLine.h"

#include <cmath>

#include "platform/editor/LineText.h"
#include "platform/editor/Transcript.h"

namespace platform {

CommandLine& commandLine()
{
    static CommandLine line;
    return line;
}

namespace {

// What follows a prompt when shown: ": " unless it ends in a colon, a blank
// or a line end (a colon gets its blank).
std::string_view promptEnding(std::string_view prompt)
{
    if (prompt.empty() || isBlank(prompt.back()) || prompt.back() == '\n')
        return {};
    return prompt.back() == ':' ? " " : ": ";
}

}  // namespace

std::string promptShown(std::string_view prompt) { return std::string(prompt) += promptEnding(prompt); }

void CommandLine::reset()
{
    m_failure.reset();
    m_inputEnded = false;
    m_quit = false;
    m_limits = {};
    m_lastKeyword.clear();
}

std::optional<std::string_view> CommandLine::readAnswer(std::string_view prompt)
{
    if (m_input->typed()) {
        const std::string shown = promptShown(prompt);
        // The terminal shows the prompt's last line; earlier lines go before it.
        const size_t lastBreak = shown.rfind('\n');
        if (lastBreak != std::string::npos)
            transcript().print(std::string_view(shown).substr(0, lastBreak + 1));
        transcript().finishLine();
        auto raw = m_input->readLine(lastBreak == std::string::npos ? shown : shown.substr(lastBreak + 1));
        transcript().answerEnded();
        return raw;
    }
    // Printed in its parts: a script's prompt is not kept, so it is not built.
    transcript().print(prompt);
    transcript().print(promptEnding(prompt));
    for (;;) {
        auto raw = m_input->readLine(prompt);
        if (!raw) {
            transcript().finishLine();
            if (const std::string reason = m_input->stopReason(); !reason.empty())
                fail(m_input->stoppedAsNotText() ? kExitNotAScript : kExitScriptFailure, reason);
            return raw;
        }
        const std::string_view text = trimmed(*raw);
        if (!text.empty() && text.front() == ';')
            continue;  // a comment answers nothing
        transcript().echoAnswer(text);
        return raw;
    }
}

bool CommandLine::setPickBox(double drawingUnits)
{
    if (!std::isfinite(drawingUnits) || drawingUnits <= 0.0)
        return false;
    m_pickBox = drawingUnits;
    return true;
}

std::optional<ScriptLine> CommandLine::ask(std::string_view prompt, unsigned accepted, std::string_view expected,
                                           const std::optional<ZcGePoint3d>& base)
{
    // Kept while an answer is read, so that a screen asked for input can see the prompt.
    struct Pending {
        std::optional<PendingPrompt>& slot;
        ~Pending() { slot.reset(); }
    } pending{m_pending};
    while (live()) {
        m_pending = PendingPrompt{accepted, std::string(prompt), base};
        const std::optional<std::string_view> raw = readAnswer(prompt);
        if (!raw) {
            m_inputEnded = true;
            return std::nullopt;
        }
        ScriptLine line = parseScriptLine(*raw);
        bool fits = false;
        std::string problem;  // when it does not fit and the reason is not what was expected
        switch (line.kind) {
        case ScriptLine::Kind::Comment:
            continue;
        case ScriptLine::Kind::Enter:
        case ScriptLine::Kind::Cancel:
            fits = true;
            break;
        case ScriptLine::Kind::Point:
            fits = accepted & kAcceptPoint;
            break;
        case ScriptLine::Kind::Number:
            fits = accepted & kAcceptNumber;
            break;
        case ScriptLine::Kind::Pick:
            fits = accepted & kAcceptPick;
            break;
        case ScriptLine::Kind::Click:
            fits = accepted & (kAcceptPoint | kAcceptPick);
            if (fits)
                line.kind = accepted & kAcceptPoint ? ScriptLine::Kind::Point : ScriptLine::Kind::Pick;
            break;
        case ScriptLine::Kind::Text:
            fits = accepted & kAcceptText;
            break;
        case ScriptLine::Kind::Dialog:
            fits = accepted & kAcceptDialog;
            if (!fits)
                problem = m_dialogs.empty()
                              ? std::string("żadne okno dialogowe nie jest otwarte")
                              : "okno „" + m_dialogs.back() +
                                    "” jest ukryte, dopóki polecenie pyta o dane; oczekiwano " + std::string(expected);
            break;
        case ScriptLine::Kind::Malformed:
            problem = line.error;
            break;
        }
        if (fits)
            return line;
        if (problem.empty())
            problem = "oczekiwano " + std::string(expected);
        if (!misfit(line, problem))
            return std::nullopt;
    }
    return std::nullopt;
}

bool CommandLine::misfit(const ScriptLine& line, std::string_view problem)
{
    if (m_input && m_input->typed()) {
        transcript().print("\n" + std::string(problem) + ".");
        return true;
    }
    const std::string where = m_input ? m_input->where() : std::string("?");
    fail(kExitScriptFailure, where + ": " + std::string(problem) + " (wiersz \"" + quotedExcerpt(line.text) + "\")");
    return false;
}

void CommandLine::refuse(std::string_view message) { transcript().print("\n" + std::string(message)); }

void CommandLine::commandError(std::string_view message, int exitStatus)
{
    if (m_input && m_input->typed()) {
        transcript().print("\n" + std::string(message));
        return;
    }
    const std::string where = m_input ? m_input->where() + ": " : std::string();
    fail(exitStatus, where + std::string(message));
}

void CommandLine::fail(int exitStatus, std::string message)
{
    if (m_failure)
        return;
    transcript().finishLine();
    transcript().error(message);
    m_failure = RunFailure{exitStatus, std::move(message)};
}

}  // namespace platform
