#include "platform/render/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool writeFileWhole(const std::string& path, const std::string& bytes, std::string& error)
{
    const std::string where = "cannot write " + path + ": ";
    if (path.empty() || path.back() == '/') {
        error = where + "not a file name";
        return false;
    }
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = where + "cannot create a temporary file in " + directoryOf(path) + ": " + std::strerror(errno);
        return false;
    }
    const std::string temp(name.data());
    int failure = 0;
    for (size_t done = 0; done < bytes.size() && failure == 0;) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            failure = errno;
        else if (n > 0)
            done += size_t(n);
    }
    // Readable as any new file would be (mkstemp makes it private).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (failure == 0 && ::fchmod(fd, 0666 & ~mask) != 0)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temp.c_str());
        error = where + std::strerror(failure);
        return false;
    }
    return true;
}
