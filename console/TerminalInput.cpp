#include "console/TerminalInput.h"

#include <cstdio>
#include <iostream>
#include <string>

#include "console/ConsoleModule.h"
#include "platform/editor/InputSource.h"
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

enum class Typed { Line, TooLong, End };

// A line typed without the line editor, kept to a script's longest line:
// the rest of a longer one (a pasted file, a stuck key) is read and dropped,
// so that it cannot take the memory a line without end would.
Typed readTypedLine(std::istream& in, std::string& text)
{
    text.clear();
    bool tooLong = false, any = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n')
            break;
        if (text.size() < platform::kMaxScriptLineBytes)
            text += char(c);
        else
            tooLong = true;
    }
    return tooLong ? Typed::TooLong : any ? Typed::Line : Typed::End;
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
            const Typed typed = readTypedLine(std::cin, m_text);
            if (typed == Typed::TooLong) {
                ++m_line;
                transcript().error(where() + ": wiersz dłuższy niż " +
                                   std::to_string(platform::kMaxScriptLineBytes >> 20) + " MB; wpisz go ponownie");
                continue;
            }
            read = typed == Typed::Line;
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
