#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// Room for the text of any double a drawing holds (see formatDxfReal).
inline constexpr size_t kDxfRealMaxChars = 32;

// Group codes and values of an ASCII DXF file. Values are formatted straight
// into a large buffer; with a sink the buffer is handed over in chunks of
// about kChunkSize bytes, without one the whole text is kept.
class DxfStream {
public:
    // Takes one chunk of the file; false stops the writing (the sink keeps
    // its own account of why).
    using Sink = std::function<bool(std::string_view)>;

    // Large enough that a sink's write calls cost nothing next to formatting.
    static constexpr size_t kChunkSize = size_t(1) << 16;

    DxfStream() = default;
    explicit DxfStream(Sink sink) : m_sink(std::move(sink)) {}

    // A text of the drawing (UTF-8), in its DXF spelling.
    void text(int code, std::string_view utf8);
    // MTEXT contents: 3 for every chunk of about 250 characters but the
    // last, 1 for the last; a chunk never splits an escape.
    void mtextContents(std::string_view utf8);
    // A value already in DXF form (structure words, class names).
    void word(int code, std::string_view value);
    void real(int code, double value);
    // Radians, written in degrees to 15 significant digits.
    void angle(int code, double radians);
    void integer(int code, int64_t value);
    void handle(int code, uint64_t value);
    // x, y and z under code, code + 10 and code + 20.
    void point(int code, double x, double y, double z);
    void point(int code, double x, double y);

    // The object being written, named in valueError().
    void setCurrentObject(const char* kind, uint64_t handle)
    {
        m_objectKind = kind;
        m_objectHandle = handle;
    }

    // Sends what is left to the sink. False when the sink refused a chunk
    // or a value could not be written (see valueError()).
    bool finish();
    bool failed() const { return m_sinkFailed || !m_valueError.empty(); }
    // The first value that could not be written, or "".
    const std::string& valueError() const { return m_valueError; }
    // The text, when there is no sink (after finish()).
    std::string takeText()
    {
        m_buffer.resize(m_used);
        m_used = 0;
        return std::move(m_buffer);
    }
    // Bytes produced so far.
    uint64_t size() const { return m_sent + m_used; }

private:
    // Space for n more bytes at the end of the buffer.
    char* room(size_t n)
    {
        if (m_used + n > m_buffer.size())
            grow(n);
        return m_buffer.data() + m_used;
    }
    void grow(size_t n);
    void code(int code);
    // formatDxfReal, remembering recent texts: a drawing repeats many of its
    // numbers (bulges, widths, heights, copies of one shape), and the
    // shortest-text search is the dearest part of writing one.
    char* formatReal(char* out, double value);
    void append(std::string_view bytes);
    void endLine();

    struct RecentReal {
        uint64_t bits = 0;
        uint8_t length = 0;  // 0: nothing remembered
        char text[kDxfRealMaxChars];
    };
    static constexpr size_t kRecentReals = 256;  // a power of two

    Sink m_sink;
    std::unique_ptr<std::array<RecentReal, kRecentReals>> m_recentReals;
    std::string m_buffer;  // its size is the capacity; m_used bytes are the text
    size_t m_used = 0;
    std::string m_scratch;  // reused for texts that need escapes
    std::string m_valueError;
    const char* m_objectKind = nullptr;
    uint64_t m_objectHandle = 0;
    uint64_t m_sent = 0;
    bool m_sinkFailed = false;
};

// The shortest text that reads back as exactly the same double, always with
// a decimal point or an exponent ("1.0", "0.1", "1e+20"). False (and nothing
// appended) for NaN, infinity and numbers beyond what a drawing holds
// (isDrawingNumber), which the reader would refuse.
bool appendDxfReal(std::string& out, double value);
// The same into a buffer of at least kDxfRealMaxChars; the end of the text,
// or null for what appendDxfReal refuses.
char* formatDxfReal(char* out, double value);
// Upper-case hexadecimal without leading zeros; "0" for 0.
void appendDxfHandle(std::string& out, uint64_t value);

}  // namespace platform
