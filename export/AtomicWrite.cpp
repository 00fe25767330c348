#include "export/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// A new, empty file beside `target`, named after it and hidden; -1 with errno when none can be
// made. Its permissions are those any new file gets (0666 less the umask).
int CreateTemporary(const std::string& target, std::string& path) {
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = dir + "." + base + ".part-" + std::to_string(::getpid()) + "-" +
               std::to_string(++counter);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Every byte of the file at `path` on disk, then the name moved onto `target`.
bool SyncAndRename(const std::string& path, const std::string& target, std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        reason = SystemReason(errno);
        if (fd >= 0) ::close(fd);
        return false;
    }
    if (::close(fd) != 0 || std::rename(path.c_str(), target.c_str()) != 0) {
        reason = SystemReason(errno);
        return false;
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& target, std::string_view bytes, std::string& reason) {
    return WriteFileAtomically(
        target,
        [bytes](const std::string& path, std::string& why) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd < 0) {
                why = SystemReason(errno);
                return false;
            }
            const bool written = WriteAll(fd, bytes);
            const int error = errno;
            if (::close(fd) != 0 && written) {
                why = SystemReason(errno);
                return false;
            }
            if (!written) why = SystemReason(error);
            return written;
        },
        reason);
}

bool WriteFileAtomically(const std::string& target,
                         const std::function<bool(const std::string& path, std::string& reason)>& write,
                         std::string& reason) {
    if (target.empty() || target.back() == '/') {
        reason = SystemReason(EISDIR);
        return false;
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        reason = SystemReason(EISDIR);
        return false;
    }
    std::string path;
    const int fd = CreateTemporary(target, path);
    if (fd < 0) {
        reason = SystemReason(errno);
        return false;
    }
    ::close(fd);
    if (write(path, reason) && SyncAndRename(path, target, reason)) return true;
    if (reason.empty()) reason = SystemReason(EIO);
    ::unlink(path.c_str());
    return false;
}

std::string ExportFailedMessage(const std::string& target, const std::string& reason) {
    return "The file " + target + " could not be written.\n" + reason;
}
