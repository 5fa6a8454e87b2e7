#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "ZrxExport.h"

namespace platform {

// The command line's output, on standard output. The host's command line
// keeps the line of an answer open: a message that begins with a line feed
// right after an answer starts on the next line, not one further down.
class ZRX_EXPORT Transcript {
public:
    void print(std::string_view text);
    // Shows an answer after its prompt and ends the line as Enter does.
    void echoAnswer(std::string_view answer);
    // The line was ended by someone else (a terminal echoing what was typed).
    void answerEnded();
    // Ends the current line when something is on it.
    void finishLine();
    // Writes a diagnostic to standard error, after what the command line has shown.
    void error(std::string_view text);

    bool atLineStart() const { return m_atLineStart; }

    // Gathers the output and writes it in large pieces, as a script run
    // to a file or pipe needs no sooner: spares the cost of a write call
    // per prompt and answer. Off again, what was gathered is written.
    void gather(bool on);
    // Writes what was gathered and flushes standard output, before
    // anything else shows on the terminal.
    void flush();

    // Also hands everything shown (diagnostics included) to a listener: a
    // window shows the command line in a widget of its own. Empty: none.
    void setListener(std::function<void(std::string_view)> listener) { m_listener = std::move(listener); }

    ~Transcript();

private:
    static constexpr size_t kGatheredLimit = size_t(1) << 16;

    void put(std::string_view text);
    void drain();

    std::function<void(std::string_view)> m_listener;
    std::unique_ptr<char[]> m_gathered;
    size_t m_used = 0;
    bool m_gathering = false;
    bool m_atLineStart = true;
    bool m_afterAnswer = true;  // the first message starts on the first line
};

ZRX_EXPORT Transcript& transcript();

}  // namespace platform
