#pragma once

#include "platform/editor/InputSource.h"

// Lines typed at the terminal with line editing and history (readline, in
// a module of its own). Without the module, lines are read as they come.
class TerminalInput : public platform::InputSource {
public:
    std::optional<std::string_view> readLine(std::string_view prompt) override;
    bool typed() const override { return true; }
    std::string where() const override { return "terminal:" + std::to_string(m_line); }

private:
    int m_line = 0;
    std::string m_text;  // the line given out last
};

// The terminal module's entry: one line, edited, into line; false at the
// end of input.
extern "C" bool tarvoReadTerminalLine(const char* prompt, std::string& line);
inline constexpr char kTerminalModule[] = "tarvo_terminal";
