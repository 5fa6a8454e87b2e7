#include "platform/core/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// What a path is when it is not a file that can be read to its end.
const char* notAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a FIFO, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    return S_ISREG(mode) ? nullptr : "not a file";
}

}  // namespace

int openInputFile(const std::string& path, std::string& error)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer; with it the
    // open returns at once and the type is checked on what was opened, so
    // nothing can swap the file in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        // A socket cannot be opened at all (ENXIO): say what it is.
        struct stat st {};
        const char* why = ::stat(path.c_str(), &st) == 0 ? notAFile(st.st_mode) : nullptr;
        error = path + ": " + (why ? why : std::strerror(err));
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = path + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    if (const char* why = notAFile(st.st_mode)) {
        error = path + ": " + why;
        ::close(fd);
        return -1;
    }
    // A regular file never blocks; reads go on as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::optional<std::string> readInputFile(const std::string& path, std::string& error)
{
    const int fd = openInputFile(path, error);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = path + ": " + std::strerror(errno);
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(buffer, size_t(n));
    }
    ::close(fd);
    return bytes;
}

}  // namespace platform
