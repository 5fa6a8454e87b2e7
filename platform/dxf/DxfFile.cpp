// Writing a drawing to a file so that a failure never damages what is there:
// a temporary file beside the target, flushed to disk, then renamed over it.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dxf/DxfWriter.h"

namespace {

std::string systemReason(int err) { return std::strerror(err); }

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions a new file gets, or those of the file it replaces.
mode_t permissionsFor(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view data, int& err)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        data.remove_prefix(size_t(n));
    }
    return true;
}

// Closes and removes the temporary file unless it was handed over.
class TemporaryFile {
public:
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    explicit TemporaryFile(const std::string& target)
    {
        std::string pattern = directoryOf(target) + "/." + fileNameOf(target) + ".XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        m_fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (m_fd < 0)
            m_error = errno;
        else
            m_path = name.data();
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }

    int fd() const { return m_fd; }
    int openError() const { return m_error; }
    const std::string& path() const { return m_path; }
    // Closes the file; false with errno kept when the system reports a
    // late write error.
    bool close(int& err)
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) {
            err = errno;
            return false;
        }
        return true;
    }
    // The file now has its final name: nothing to remove.
    void release() { m_path.clear(); }

private:
    int m_fd = -1;
    int m_error = 0;
    std::string m_path;
};

}  // namespace

bool writeDxfFile(const ZcDbDatabase& db, const std::string& path, std::string& error)
{
    error.clear();
    const std::string where = "cannot write " + path + ": ";
    if (path.empty() || path.back() == '/') {
        error = where + "not a file name";
        return false;
    }
    TemporaryFile temp(path);
    if (temp.fd() < 0) {
        error = where + "cannot create a temporary file in " + directoryOf(path) + ": " +
                systemReason(temp.openError());
        return false;
    }

    int writeError = 0;
    const DxfStream::Sink sink = [&](std::string_view chunk) { return writeAll(temp.fd(), chunk, writeError); };
    std::string problem;
    if (!writeDxf(db, sink, problem)) {
        error = writeError != 0 ? where + systemReason(writeError) : where + problem;
        return false;
    }
    if (::fchmod(temp.fd(), permissionsFor(path)) != 0 || ::fsync(temp.fd()) != 0) {
        error = where + systemReason(errno);
        return false;
    }
    int closeError = 0;
    if (!temp.close(closeError)) {
        error = where + systemReason(closeError);
        return false;
    }
    if (::rename(temp.path().c_str(), path.c_str()) != 0) {
        error = where + systemReason(errno);
        return false;
    }
    temp.release();
    // The rename itself survives a crash only once the folder is on disk;
    // the file is complete either way, so a failure here is not reported.
    const int dir = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}
