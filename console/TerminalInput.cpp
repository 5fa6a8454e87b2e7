#include "console/TerminalInput.h"

#include <readline/history.h>
#include <readline/readline.h>

#include <cstdio>
#include <cstdlib>

std::optional<std::string_view> TerminalInput::readLine(std::string_view prompt)
{
    std::fflush(stdout);
    char* typed = readline(std::string(prompt).c_str());
    if (!typed) {
        std::fputc('\n', stdout);  // end of input (Ctrl-D) leaves the prompt's line open
        return std::nullopt;
    }
    ++m_line;
    m_text = typed;
    if (m_text.find_first_not_of(" \t") != std::string::npos)
        add_history(typed);
    std::free(typed);
    return std::string_view(m_text);
}
