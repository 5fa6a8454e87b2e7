#include "console/TerminalInput.h"

#include <cstdio>
#include <iostream>

#include "console/ConsoleModule.h"
#include "platform/editor/ScriptEncoding.h"
#include "platform/editor/Transcript.h"

using platform::transcript;

namespace {

using ReadTerminalLine = decltype(&tarvoReadTerminalLine);

// The module's entry, looked up once; nullptr after one notice when the
// module is missing.
ReadTerminalLine lineEditor()
{
    static const ReadTerminalLine entry = [] {
        std::string error;
        void* address = consoleModuleEntry(kTerminalModule, "tarvoReadTerminalLine", error);
        if (!address)
            transcript().error("tarvo: no line editing: " + error);
        return reinterpret_cast<ReadTerminalLine>(address);
    }();
    return entry;
}

}  // namespace

std::optional<std::string_view> TerminalInput::readLine(std::string_view prompt)
{
    for (;;) {
        transcript().flush();
        bool read = false;
        if (const ReadTerminalLine edit = lineEditor()) {
            read = edit(std::string(prompt).c_str(), m_text);
        } else {
            std::fwrite(prompt.data(), 1, prompt.size(), stdout);
            std::fflush(stdout);
            read = bool(std::getline(std::cin, m_text));
        }
        if (!read) {
            std::fputc('\n', stdout);  // end of input (Ctrl-D) leaves the prompt's line open
            return std::nullopt;
        }
        ++m_line;
        // A terminal set to another encoding: said, and the line typed again.
        const std::string fault = platform::scriptLineEncodingFault(m_text);
        if (fault.empty())
            return std::string_view(m_text);
        transcript().error(where() + ": " + fault);
    }
}
