#include "console/window/WindowInput.h"

#include <QEventLoop>
#include <QTimer>

#include "platform/editor/CommandLine.h"

void WindowInput::setScript(std::vector<std::string> lines, std::string name, bool endWithScript)
{
    m_script = std::move(lines);
    m_next = 0;
    m_scriptName = std::move(name);
    m_replaying = true;
    m_endWithScript = endWithScript;
}

std::string WindowInput::where() const
{
    return (m_replaying ? m_scriptName : std::string("okno")) + ":" + std::to_string(m_line);
}

namespace {

// The prompt's last line as the command line shows it: a script's prompts
// come as asked ("\nPolecenie"), typed ones as shown ("Polecenie: ").
std::string promptLine(std::string_view prompt)
{
    if (const size_t lastBreak = prompt.rfind('\n'); lastBreak != std::string_view::npos)
        prompt.remove_prefix(lastBreak + 1);
    std::string line(prompt);
    if (!line.empty() && line.back() != ' ')
        line += line.back() == ':' ? " " : ": ";
    return line;
}

}  // namespace

std::optional<std::string_view> WindowInput::readLine(std::string_view prompt)
{
    if (m_closed)
        return std::nullopt;
    m_prompt = promptLine(prompt);
    m_answer.reset();
    emit prompted(QString::fromStdString(m_prompt));
    if (m_replaying && m_next >= m_script.size()) {
        if (m_endWithScript)
            return std::nullopt;
        m_replaying = false;  // the user takes over where the script ends
        m_line = 0;
    }
    if (m_replaying) {
        // Fed once the prompt waits, through the widgets, as typed or clicked.
        const QString line = QString::fromStdString(m_script[m_next++]);
        QTimer::singleShot(0, this, [this, line] { emit replayDue(line); });
    } else if (m_dialogRunner && (platform::commandLine().awaited() & platform::kAcceptDialog)) {
        m_answer = m_dialogRunner();
        if (!m_answer)
            return std::nullopt;
    }
    if (!m_answer) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    if (!m_answer)
        return std::nullopt;
    ++m_line;
    m_text = std::move(*m_answer);
    m_answer.reset();
    return std::string_view(m_text);
}

void WindowInput::answer(const std::string& line)
{
    if (!m_loop || m_answer)
        return;  // nothing asked, or answered already: a click or key between prompts means nothing
    m_answer = line;
    m_loop->quit();
}

void WindowInput::close()
{
    m_closed = true;
    if (m_loop)
        m_loop->quit();
}
