// ZcDbDatabase::readDwgFile: template drawings ship as DXF beside the DWG
// name the system asks for.

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "ZcDbDatabase.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/SymbolName.h"
#include "platform/dxf/DxfReader.h"

using namespace platform;

namespace {

bool endsWithNoCase(const std::string& s, const char* suffix)
{
    const size_t n = std::strlen(suffix);
    return s.size() >= n && sameSymbolName(s.substr(s.size() - n), suffix);
}

bool isFile(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// The file itself, or one of the same name in another case in its folder
// (the system names files as Windows would, without regard to case).
std::string existing(const std::string& path)
{
    if (isFile(path))
        return path;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (const dirent* entry = ::readdir(dir))
        if (sameSymbolName(entry->d_name, name)) {
            found = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + entry->d_name;
            break;
        }
    ::closedir(dir);
    return found;
}

}  // namespace

Zcad::ErrorStatus ZcDbDatabase::readDwgFile(const char* fileName, int, bool, const char*)
{
    std::string& reason = m_impl->readError;
    reason.clear();
    if (!fileName || !*fileName) {
        reason = "readDwgFile: no file name";
        return Zcad::eInvalidInput;
    }
    if (!m_impl->stubs.empty()) {
        reason = std::string(fileName) + ": the drawing to read into is not empty";
        return Zcad::eInvalidInput;
    }
    std::string path = fileName;
    std::replace(path.begin(), path.end(), '\\', '/');
    std::string file;
    if (endsWithNoCase(path, ".dwg")) {
        if (const std::string dwg = existing(path); !dwg.empty()) {
            reason = dwg + ": a DWG file, whose format is closed; save it as " +
                     dwg.substr(0, dwg.size() - 4) + ".dxf beside it";
            return Zcad::eInvalidDwgVersion;
        }
        const std::string dxf = path.substr(0, path.size() - 4) + ".dxf";
        file = existing(dxf);
        if (file.empty()) {
            reason = path + ": no such file, nor " + dxf;
            return Zcad::eFileNotFound;
        }
    } else {
        file = existing(path);
        if (file.empty()) {
            reason = path + ": no such file";
            return Zcad::eFileNotFound;
        }
    }
    if (::access(file.c_str(), R_OK) != 0) {
        reason = file + ": " + std::strerror(errno);
        return Zcad::eFileAccessErr;
    }
    // Read aside, so that a file that fails leaves this drawing empty.
    ZcDbDatabase read(false, true);
    if (!readDxfFile(file, read, reason))
        return Zcad::eDwgNotRecoverable;
    std::swap(m_impl, read.m_impl);
    m_impl->self = this;
    for (ZcDbStub& stub : m_impl->stubs)
        stub.database = this;
    read.m_impl->self = &read;
    for (ZcDbStub& stub : read.m_impl->stubs)
        stub.database = &read;
    return Zcad::eOk;
}
