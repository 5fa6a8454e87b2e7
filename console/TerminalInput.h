#pragma once

#include "platform/editor/InputSource.h"

// Lines typed at the terminal with line editing and history (readline).
class TerminalInput : public platform::InputSource {
public:
    std::optional<std::string_view> readLine(std::string_view prompt) override;
    bool typed() const override { return true; }
    std::string where() const override { return "terminal:" + std::to_string(m_line); }

private:
    int m_line = 0;
    std::string m_text;  // the line given out last
};
