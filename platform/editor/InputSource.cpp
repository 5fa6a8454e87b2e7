#include "platform/editor/InputSource.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/editor/ScriptEncoding.h"

namespace platform {

namespace {

// Read at a time from the stream: large enough that the system is asked
// rarely, small enough to stay in cache.
constexpr size_t kChunkBytes = size_t(1) << 16;

}  // namespace

StreamInput::StreamInput(std::istream& stream, std::string name) : StreamInput(stream.rdbuf(), std::move(name)) {}

StreamInput::StreamInput(std::streambuf* buffer, std::string name)
    : m_buffer(buffer), m_name(std::move(name)), m_chunk(kChunkBytes)
{
}

std::unique_ptr<StreamInput> StreamInput::openFile(const std::string& path, std::string& error)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    // A folder opens as a file here but gives no lines: say so rather than
    // run nothing.
    if (S_ISDIR(st.st_mode)) {
        error = path + ": " + std::strerror(EISDIR);
        return nullptr;
    }
    auto file = std::make_unique<std::filebuf>();
    if (!file->open(path, std::ios::in | std::ios::binary)) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<StreamInput> input(new StreamInput(file.get(), path));
    input->m_owned = std::move(file);
    return input;
}

bool StreamInput::refill()
{
    const std::streamsize n = m_buffer->sgetn(m_chunk.data(), std::streamsize(m_chunk.size()));
    m_begin = 0;
    m_end = n > 0 ? size_t(n) : 0;
    return m_end > 0;
}

std::optional<std::string_view> StreamInput::readLine(std::string_view)
{
    if (!m_stopReason.empty())
        return std::nullopt;
    std::string_view line;
    m_text.clear();
    for (bool first = true;; first = false) {
        if (m_begin == m_end && !refill()) {
            if (first)
                return std::nullopt;
            line = m_text;  // the last line has no line end
            break;
        }
        const char* from = m_chunk.data() + m_begin;
        const void* newline = std::memchr(from, '\n', m_end - m_begin);
        const size_t length = newline ? size_t(static_cast<const char*>(newline) - from) : m_end - m_begin;
        if (m_text.size() + length > kMaxScriptLineBytes) {
            ++m_line;
            m_stopReason = where() + ": wiersz dłuższy niż " + std::to_string(kMaxScriptLineBytes >> 20) + " MB";
            std::string().swap(m_text);
            return std::nullopt;
        }
        m_begin += length + (newline ? 1 : 0);
        if (newline && first) {
            line = std::string_view(from, length);  // the whole line is in the chunk: no copy
            break;
        }
        m_text.append(from, length);
        if (newline) {
            line = m_text;
            break;
        }
    }
    ++m_line;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    // A byte-order mark some editors put at the start of UTF-8 files.
    if (m_line == 1 && line.starts_with("\xEF\xBB\xBF"))
        line.remove_prefix(3);
    if (std::string fault = scriptLineEncodingFault(line); !fault.empty()) {
        m_stopReason = where() + ": " + fault;
        m_notText = true;
        std::string().swap(m_text);
        return std::nullopt;
    }
    return line;
}

}  // namespace platform
