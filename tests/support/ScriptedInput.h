#pragma once

#include <sstream>
#include <string>

#include "platform/editor/CommandLine.h"

// Makes a script's text the command line's input for a test's lifetime;
// afterwards the command line is as new again.
class ScriptedInput {
public:
    explicit ScriptedInput(const std::string& text) : m_stream(text), m_input(m_stream, "test.scr")
    {
        platform::commandLine().reset();
        platform::commandLine().ucs() = {};
        platform::commandLine().setInput(&m_input);
    }
    ~ScriptedInput()
    {
        platform::commandLine().setInput(nullptr);
        platform::commandLine().reset();
        platform::commandLine().ucs() = {};
    }
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    int lineNumber() const { return m_input.lineNumber(); }

private:
    std::istringstream m_stream;
    platform::StreamInput m_input;
};
