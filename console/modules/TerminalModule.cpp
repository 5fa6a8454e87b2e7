#include <readline/history.h>
#include <readline/readline.h>

#include <cstdlib>

#include "console/TerminalInput.h"

extern "C" __attribute__((visibility("default"))) bool tarvoReadTerminalLine(const char* prompt, std::string& line)
{
    char* typed = readline(prompt);
    if (!typed)
        return false;
    line = typed;
    if (line.find_first_not_of(" \t") != std::string::npos)
        add_history(typed);
    std::free(typed);
    return true;
}
