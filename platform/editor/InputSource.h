#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ZrxExport.h"

// Where the command line's lines come from: a script, standard input or a
// person at a terminal.
class ZRX_EXPORT InputSource {
public:
    virtual ~InputSource() = default;

    // The next line without its line end; nothing when the input has ended.
    // A typed source shows the prompt itself; others leave it to the caller.
    virtual std::optional<std::string> readLine(std::string_view prompt) = 0;
    // Whether a person types the lines: a line that does not fit is then
    // asked for again instead of ending the run.
    virtual bool typed() const = 0;
    // Where the last line came from, for messages ("demo.scr:12").
    virtual std::string where() const = 0;
};

// Lines of a stream (a script file, standard input, a test's text).
class ZRX_EXPORT StreamInput : public InputSource {
public:
    // name is how messages call the stream ("demo.scr", "-").
    StreamInput(std::istream& stream, std::string name) : m_stream(&stream), m_name(std::move(name)) {}
    // Reads the script file; nothing (with the system's reason) when it cannot be opened.
    static std::unique_ptr<StreamInput> openFile(const std::string& path, std::string& error);

    std::optional<std::string> readLine(std::string_view prompt) override;
    bool typed() const override { return false; }
    std::string where() const override { return m_name + ":" + std::to_string(m_line); }
    int lineNumber() const { return m_line; }

private:
    std::unique_ptr<std::istream> m_owned;
    std::istream* m_stream;
    std::string m_name;
    int m_line = 0;
};
