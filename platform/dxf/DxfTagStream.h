#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The group code and value pairs of an ASCII DXF file, one at a time, with
// the line each code stands on. Lines end with "\n" or "\r\n". A file is
// read in chunks, so memory stays small whatever its size; a text in
// memory is read in place.
class DxfTagStream {
public:
    // Reads a text in memory, which must outlive the stream.
    explicit DxfTagStream(std::string_view text);
    // Reads an open file from its current position (the caller closes it).
    explicit DxfTagStream(int fd);
    DxfTagStream(const DxfTagStream&) = delete;
    DxfTagStream& operator=(const DxfTagStream&) = delete;

    // Moves to the next pair. False at the end of the input, and on an
    // error (then failed() is true and error() says what, with the line).
    bool next();
    // The pair next() moved to is given once more by the next call.
    void pushBack() { m_pushedBack = true; }

    int code() const { return m_code; }
    // Valid until the next call of next().
    std::string_view value() const { return m_value; }
    // Line of the current code (the value is on the next line).
    uint64_t line() const { return m_codeLine; }
    // Lines read so far (the last one, at the end of the input).
    uint64_t linesRead() const { return m_lineNumber; }

    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }
    void fail(uint64_t line, const std::string& what);

    // Longest line taken; anything longer is no DXF.
    static constexpr size_t kMaxLine = size_t(1) << 20;

private:
    // Offset of the next '\n' at or after from, or npos when the data at
    // hand has none.
    size_t findNewline(size_t from) const;
    // Reads more of the file; false when nothing more came.
    bool refill();

    int m_fd = -1;
    std::string m_buffer;     // file mode: the chunk being read
    const char* m_data = nullptr;
    size_t m_size = 0;        // bytes available at m_data
    size_t m_pos = 0;
    bool m_endOfInput = false;
    uint64_t m_lineNumber = 0;  // lines read so far

    int m_code = 0;
    std::string_view m_value;
    uint64_t m_codeLine = 0;
    bool m_pushedBack = false;
    bool m_started = false;
    std::string m_error;
};

}  // namespace platform
