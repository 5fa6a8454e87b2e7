#include "platform/editor/InputSource.h"

#include <cerrno>
#include <cstring>
#include <fstream>

std::unique_ptr<StreamInput> StreamInput::openFile(const std::string& path, std::string& error)
{
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    auto input = std::make_unique<StreamInput>(*file, path);
    input->m_owned = std::move(file);
    return input;
}

std::optional<std::string> StreamInput::readLine(std::string_view)
{
    std::string line;
    if (!std::getline(*m_stream, line))
        return std::nullopt;
    ++m_line;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    // A byte-order mark some editors put at the start of UTF-8 files.
    if (m_line == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
        line.erase(0, 3);
    return line;
}
