#include "platform/core/OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Links followed before giving up, as the system's own limit (ELOOP).
constexpr int kMaxLinks = 40;

std::string systemReason(int err) { return std::strerror(err); }

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct ProtectedFile {
    dev_t device;
    ino_t inode;
    std::string what;
};

std::vector<ProtectedFile>& protectedFiles()
{
    static std::vector<ProtectedFile> files;
    return files;
}

// Why an existing file (the end of any links) may not be replaced; empty
// when it may.
std::string refusalOf(const std::string& file, const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return "it is a folder";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return "it is a device";
    if (S_ISFIFO(st.st_mode))
        return "it is a FIFO";
    if (!S_ISREG(st.st_mode))
        return "it is not a regular file";
    // The superuser passes access(); the permission bits still say read-only.
    if ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0)
        return "the file is read-only";
    if (st.st_nlink > 1)
        return "the file has other names (hard links) that a new file would part from it";
    for (const ProtectedFile& p : protectedFiles())
        if (p.device == st.st_dev && p.inode == st.st_ino)
            return "it is " + p.what;
    return {};
}

// The temporary file being written, for the signal handler: a static buffer
// because the handler may not allocate.
char g_temporaryPath[PATH_MAX];
volatile sig_atomic_t g_temporaryLive = 0;

// The signals that end a process by default when its user stops it, hangs
// up its terminal or asks for a core: each would leave the file behind.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr size_t kEndingSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];
struct sigaction g_previous[kEndingSignalCount];

void removeTemporaryAndDie(int signal)
{
    if (g_temporaryLive)
        ::unlink(g_temporaryPath);
    // What the signal did before (by default: end the process) happens now.
    for (size_t i = 0; i < kEndingSignalCount; ++i)
        if (kEndingSignals[i] == signal)
            ::sigaction(signal, &g_previous[i], nullptr);
    ::raise(signal);
}

class SignalsBlocked {
public:
    SignalsBlocked()
    {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : kEndingSignals)
            sigaddset(&set, signal);
        ::sigprocmask(SIG_BLOCK, &set, &m_old);
    }
    ~SignalsBlocked() { ::sigprocmask(SIG_SETMASK, &m_old, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t m_old;
};

// A new file beside the target, removed (also on the ending signals) unless
// renamed onto the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
    {
        const std::string pattern = directoryOf(target) + "/." + fileNameOf(target) + ".XXXXXX";
        // One write at a time: the signal handler knows one temporary file.
        if (pattern.size() >= sizeof g_temporaryPath || g_temporaryLive) {
            m_error = g_temporaryLive ? EBUSY : ENAMETOOLONG;
            return;
        }
        const SignalsBlocked blocked;
        std::memcpy(g_temporaryPath, pattern.c_str(), pattern.size() + 1);
        m_fd = ::mkostemp(g_temporaryPath, O_CLOEXEC);
        if (m_fd < 0) {
            m_error = errno;
            return;
        }
        g_temporaryLive = 1;
        m_live = true;
        struct sigaction action {};
        action.sa_handler = removeTemporaryAndDie;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < kEndingSignalCount; ++i) {
            ::sigaction(kEndingSignals[i], nullptr, &g_previous[i]);
            // A signal the process ignores stays ignored.
            if (g_previous[i].sa_handler != SIG_IGN)
                ::sigaction(kEndingSignals[i], &action, nullptr);
        }
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_live)
            forget(true);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd; }
    int openError() const { return m_error; }
    const char* path() const { return g_temporaryPath; }
    // Closes the file; false with err when the system reports a late write error.
    bool close(int& err)
    {
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0) {
            err = errno;
            return false;
        }
        return true;
    }
    // Renames the file onto the target; it is then no longer removed.
    bool renameTo(const std::string& target, int& err)
    {
        const SignalsBlocked blocked;
        if (::rename(g_temporaryPath, target.c_str()) != 0) {
            err = errno;
            return false;
        }
        forget(false);
        return true;
    }

private:
    void forget(bool remove)
    {
        const SignalsBlocked blocked;
        if (remove)
            ::unlink(g_temporaryPath);
        g_temporaryLive = 0;
        m_live = false;
        for (size_t i = 0; i < kEndingSignalCount; ++i)
            ::sigaction(kEndingSignals[i], &g_previous[i], nullptr);
    }

    int m_fd = -1;
    int m_error = 0;
    bool m_live = false;
};

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

// Gives the new file the permissions and owner of the one it replaces, or
// those of any new file.
bool takeOverAttributes(int fd, const std::string& target, int& err)
{
    struct stat st {};
    mode_t mode;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
        // Only the superuser may give a file away; for others it is the same owner anyway.
        [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) {
        err = errno;
        return false;
    }
    return true;
}

}  // namespace

void protectFromOutput(const std::string& path, std::string what)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        protectedFiles().push_back({st.st_dev, st.st_ino, std::move(what)});
}

void clearOutputProtection() { protectedFiles().clear(); }

std::optional<std::string> outputTarget(const std::string& path, std::string& error)
{
    const std::string where = "cannot write " + path + ": ";
    if (path.empty() || path.back() == '/') {
        error = where + "not a file name";
        return std::nullopt;
    }
    std::string file = path;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0) {
            if (errno == ENOENT)
                return file;  // a new file (also where a dangling link points)
            error = where + systemReason(errno);
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode)) {
            if (const std::string why = refusalOf(file, st); !why.empty()) {
                error = where + why;
                return std::nullopt;
            }
            return file;
        }
        if (links == kMaxLinks) {
            error = where + systemReason(ELOOP);
            return std::nullopt;
        }
        std::vector<char> buffer(size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlink(file.c_str(), buffer.data(), buffer.size());
        if (n < 0 || size_t(n) >= buffer.size()) {
            error = where + systemReason(n < 0 ? errno : ENAMETOOLONG);
            return std::nullopt;
        }
        const std::string link(buffer.data(), size_t(n));
        file = link.front() == '/' ? link : directoryOf(file) + "/" + link;
    }
}

bool writeOutputFile(const std::string& path, const OutputProducer& produce, std::string& error)
{
    error.clear();
    const std::optional<std::string> target = outputTarget(path, error);
    if (!target)
        return false;
    const std::string where = "cannot write " + path + ": ";
    TemporaryFile temp(*target);
    if (temp.fd() < 0) {
        error =
            where + "cannot create a temporary file in " + directoryOf(*target) + ": " + systemReason(temp.openError());
        return false;
    }

    int err = 0;
    const OutputSink sink = [&](std::string_view chunk) { return writeAll(temp.fd(), chunk, err); };
    std::string problem;
    if (!produce(sink, problem)) {
        error = where + (err != 0 ? systemReason(err) : problem);
        return false;
    }
    if (!takeOverAttributes(temp.fd(), *target, err) || ::fsync(temp.fd()) != 0) {
        error = where + systemReason(err != 0 ? err : errno);
        return false;
    }
    if (!temp.close(err) || !temp.renameTo(*target, err)) {
        error = where + systemReason(err);
        return false;
    }
    // The rename itself survives a crash only once the folder is on disk;
    // the file is complete either way, so a failure here is not reported.
    const int dir = ::open(directoryOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace platform
