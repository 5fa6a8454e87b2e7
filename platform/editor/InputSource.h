#pragma once

#include <cstddef>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ZrxExport.h"

namespace platform {

// Where the command line's lines come from: a script, standard input or a
// person at a terminal.
class ZRX_EXPORT InputSource {
public:
    virtual ~InputSource() = default;

    // The next line without its line end, valid until the next call; nothing
    // when the input has ended (or stopped, see stopReason). A typed source
    // shows the prompt itself; others leave it to the caller.
    virtual std::optional<std::string_view> readLine(std::string_view prompt) = 0;
    // Why the input stopped before its end, with the place ("demo.scr:3: a
    // line too long to be one"); empty when it simply ended.
    virtual std::string stopReason() const { return {}; }
    // Whether it stopped because it is not a script's text at all (another
    // encoding, binary bytes): wrong usage rather than a fault of the script.
    virtual bool stoppedAsNotText() const { return false; }
    // Whether a person types the lines: a line that does not fit is then
    // asked for again instead of ending the run.
    virtual bool typed() const = 0;
    // Where the last line came from, for messages ("demo.scr:12").
    virtual std::string where() const = 0;
};

// The longest line a script may hold. Real lines are short; this bounds the
// memory a file without line ends (a device, a binary file) can take.
inline constexpr size_t kMaxScriptLineBytes = size_t(1) << 20;

// Lines of a stream (a script file, standard input, a test's text).
class ZRX_EXPORT StreamInput : public InputSource {
public:
    // name is how messages call the stream ("demo.scr", "-").
    StreamInput(std::istream& stream, std::string name);
    // Opens the script file; nothing (with the path and the reason) when it
    // cannot be read or is a folder.
    static std::unique_ptr<StreamInput> openFile(const std::string& path, std::string& error);

    std::optional<std::string_view> readLine(std::string_view prompt) override;
    std::string stopReason() const override { return m_stopReason; }
    bool stoppedAsNotText() const override { return m_notText; }
    bool typed() const override { return false; }
    std::string where() const override { return m_name + ":" + std::to_string(m_line); }
    int lineNumber() const { return m_line; }

private:
    StreamInput(std::streambuf* buffer, std::string name);
    // Refills the chunk; false at the end of the stream.
    bool refill();

    std::unique_ptr<std::filebuf> m_owned;
    std::streambuf* m_buffer;
    std::string m_name;
    int m_line = 0;
    std::vector<char> m_chunk;
    size_t m_begin = 0, m_end = 0;  // what of the chunk is not read yet
    std::string m_text;             // the line given out last
    std::string m_stopReason;
    bool m_notText = false;
};

}  // namespace platform
