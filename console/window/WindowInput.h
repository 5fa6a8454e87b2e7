#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/editor/InputSource.h"

class QEventLoop;

// What the user's dialog gives when the command line waits for a dialog
// action: the action as a script line ("dlg click 1"); nothing when the
// window closed meanwhile.
using DialogRunner = std::function<std::optional<std::string>()>;

// The window as the command line's input: a prompt waits in an event loop
// of its own until the user answers by a typed line or a click, so a
// command's code asks for its input in sequence as it does from a script.
// A script replayed is fed through the same widgets, line by line.
class WindowInput : public QObject, public platform::InputSource {
    Q_OBJECT
public:
    // Lines to replay, named for messages; with endWithScript the input ends
    // with them, else the user goes on.
    void setScript(std::vector<std::string> lines, std::string name, bool endWithScript);
    // Dialog actions come from here when set; else they are typed.
    void setDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }

    std::optional<std::string_view> readLine(std::string_view prompt) override;
    bool typed() const override { return !m_replaying; }
    std::string where() const override;

    // The user's answer to the prompt waiting, if one is.
    void answer(const std::string& line);
    // The window closed: the prompt waiting and all later ones get no answer.
    void close();
    bool waiting() const { return m_loop != nullptr; }
    bool closed() const { return m_closed; }
    const std::string& prompt() const { return m_prompt; }

signals:
    // A prompt waits for an answer (the window shows the drawing as it is now).
    void prompted(const QString& prompt);
    // A line of the script is due: the window feeds it in as the user would.
    void replayDue(const QString& line);

private:
    std::vector<std::string> m_script;
    size_t m_next = 0;
    std::string m_scriptName;
    bool m_replaying = false;
    bool m_endWithScript = false;
    bool m_closed = false;
    int m_line = 0;
    std::string m_prompt;
    std::optional<std::string> m_answer;
    std::string m_text;  // the line given out last
    QEventLoop* m_loop = nullptr;
    DialogRunner m_dialogRunner;
};
