#include "platform/dxf/DxfTagStream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// Bytes asked of the file at a time: large enough that reading costs
// nothing next to parsing, small enough that memory stays flat.
constexpr size_t kChunk = size_t(1) << 20;

// The highest group code the format defines.
constexpr int kMaxGroupCode = 1071;

std::string shown(std::string_view text)
{
    constexpr size_t kShown = 40;
    std::string s;
    for (const char c : text.substr(0, kShown)) {
        const auto b = static_cast<unsigned char>(c);
        s += b >= 0x20 && b < 0x7F ? c : '?';
    }
    if (text.size() > kShown)
        s += "...";
    return s;
}

bool parseCode(std::string_view line, int& code)
{
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    size_t end = line.size();
    while (end > i && (line[end - 1] == ' ' || line[end - 1] == '\t'))
        --end;
    if (i == end || end - i > 4)
        return false;
    int value = 0;
    for (size_t k = i; k < end; ++k) {
        if (line[k] < '0' || line[k] > '9')
            return false;
        value = value * 10 + (line[k] - '0');
    }
    if (value > kMaxGroupCode)
        return false;
    code = value;
    return true;
}

}  // namespace

DxfTagStream::DxfTagStream(std::string_view text) : m_data(text.data()), m_size(text.size()), m_endOfInput(true) {}

DxfTagStream::DxfTagStream(int fd) : m_fd(fd)
{
    m_buffer.resize(kChunk);
    m_data = m_buffer.data();
}

void DxfTagStream::fail(uint64_t line, const std::string& what)
{
    if (m_error.empty())
        m_error = "line " + std::to_string(line) + ": " + what;
}

bool DxfTagStream::refill()
{
    if (m_endOfInput || m_fd < 0)
        return false;
    // Keep the unread tail, at the front of the buffer.
    const size_t tail = m_size - m_pos;
    if (m_pos > 0 && tail > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, tail);
    m_pos = 0;
    m_size = tail;
    if (m_buffer.size() - m_size < kChunk / 2)
        m_buffer.resize(m_buffer.size() * 2);
    m_data = m_buffer.data();
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buffer.data() + m_size, m_buffer.size() - m_size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            fail(m_lineNumber + 1, std::string("the file cannot be read: ") + std::strerror(errno));
            m_endOfInput = true;
            return false;
        }
        if (n == 0) {
            m_endOfInput = true;
            return false;
        }
        m_size += size_t(n);
        return true;
    }
}

size_t DxfTagStream::findNewline(size_t from) const
{
    // Most lines are a few bytes long: a plain loop beats a call for them.
    constexpr size_t kShortLine = 24;
    const size_t stop = std::min(m_size, from + kShortLine);
    for (size_t i = from; i < stop; ++i)
        if (m_data[i] == '\n')
            return i;
    if (stop == m_size)
        return std::string_view::npos;
    const auto* nl = static_cast<const char*>(std::memchr(m_data + stop, '\n', m_size - stop));
    return nl ? size_t(nl - m_data) : std::string_view::npos;
}

namespace {
std::string_view withoutReturn(const char* start, size_t length)
{
    if (length > 0 && start[length - 1] == '\r')
        --length;
    return std::string_view(start, length);
}
}  // namespace

bool DxfTagStream::next()
{
    if (m_pushedBack) {
        m_pushedBack = false;
        return true;
    }
    if (failed())
        return false;
    if (!m_started) {
        m_started = true;
        if (m_fd >= 0)
            refill();
        static constexpr std::string_view kBinary = "AutoCAD Binary DXF";
        if (std::string_view(m_data, m_size).substr(0, kBinary.size()) == kBinary) {
            fail(1, "a binary DXF file; only ASCII DXF is read");
            return false;
        }
        static constexpr std::string_view kBom = "\xEF\xBB\xBF";
        if (std::string_view(m_data, m_size).substr(0, kBom.size()) == kBom)
            m_pos = kBom.size();
    }
    // The common case at once: a code of digits (right-aligned with spaces)
    // on its own line and the value after it, both at hand.
    {
        const char* p = m_data + m_pos;
        const char* const end = m_data + m_size;
        while (p < end && *p == ' ')
            ++p;
        const char* digits = p;
        int code = 0;
        while (p < end && p - digits < 5 && static_cast<unsigned>(*p - '0') < 10u)
            code = code * 10 + (*p++ - '0');
        if (p > digits && p - digits <= 4 && code <= kMaxGroupCode) {
            if (p < end && *p == '\r')
                ++p;
            if (p < end && *p == '\n') {
                const size_t valueStart = size_t(p + 1 - m_data);
                const size_t valueEnd = findNewline(valueStart);
                if (valueEnd != std::string_view::npos && valueEnd - valueStart <= kMaxLine) {
                    m_code = code;
                    m_codeLine = ++m_lineNumber;
                    ++m_lineNumber;
                    m_value = withoutReturn(m_data + valueStart, valueEnd - valueStart);
                    m_pos = valueEnd + 1;
                    return true;
                }
            }
        }
    }
    // Anything else: blank lines, a chunk to read first, the end of the
    // input, or something wrong to report.
    for (;;) {
        // Both lines of the pair must be at hand; nothing is taken until they are.
        const size_t codeEnd = findNewline(m_pos);
        const size_t valueEnd = codeEnd == std::string_view::npos ? codeEnd : findNewline(codeEnd + 1);
        if (valueEnd == std::string_view::npos) {
            if (m_size - m_pos > kMaxLine) {
                fail(m_lineNumber + 1, "a line longer than " + std::to_string(kMaxLine) + " bytes: this is no DXF text");
                return false;
            }
            // Reading more moves what is at hand: the lines are found again.
            if (!m_endOfInput) {
                refill();
                continue;
            }
            if (failed())
                return false;
        }
        if ((codeEnd != std::string_view::npos && codeEnd - m_pos > kMaxLine) ||
            (valueEnd != std::string_view::npos && valueEnd - codeEnd - 1 > kMaxLine)) {
            const uint64_t at = m_lineNumber + (codeEnd - m_pos > kMaxLine ? 1 : 2);
            fail(at, "a line longer than " + std::to_string(kMaxLine) + " bytes: this is no DXF text");
            return false;
        }
        std::string_view codeLine;
        size_t after = 0;
        if (codeEnd != std::string_view::npos) {
            codeLine = withoutReturn(m_data + m_pos, codeEnd - m_pos);
            after = codeEnd + 1;
        } else {
            codeLine = withoutReturn(m_data + m_pos, m_size - m_pos);  // the last line, without an end
            after = m_size;
        }
        if (codeEnd == std::string_view::npos && codeLine.empty() && after >= m_size) {
            m_pos = m_size;
            return false;  // the end of the input
        }
        // Blank lines between pairs are forgiven.
        if (codeLine.find_first_not_of(" \t") == std::string_view::npos) {
            m_pos = after;
            ++m_lineNumber;
            if (after >= m_size && codeEnd == std::string_view::npos)
                return false;
            continue;
        }
        m_codeLine = ++m_lineNumber;
        if (!parseCode(codeLine, m_code)) {
            fail(m_codeLine, "a group code was expected, not \"" + shown(codeLine) + "\"");
            return false;
        }
        if (codeEnd == std::string_view::npos || codeEnd + 1 >= m_size) {
            fail(m_codeLine, "the file ends after group code " + std::to_string(m_code) + ", without its value");
            return false;
        }
        if (valueEnd != std::string_view::npos) {
            m_value = withoutReturn(m_data + codeEnd + 1, valueEnd - codeEnd - 1);
            m_pos = valueEnd + 1;
        } else {
            m_value = withoutReturn(m_data + codeEnd + 1, m_size - codeEnd - 1);
            m_pos = m_size;
        }
        ++m_lineNumber;
        return true;
    }
}

}  // namespace platform
