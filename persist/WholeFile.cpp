#include "persist/WholeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// What a file that is not a regular one is, for the messages.
std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) return "It is a folder, not a file.";
    if (S_ISFIFO(mode)) return "It is a pipe, not a file.";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "It is a device, not a file.";
    if (S_ISSOCK(mode)) return "It is a socket, not a file.";
    return "It is not a regular file.";
}

std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {std::string(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// The longest name a folder entry may have.
constexpr std::size_t kNameMax = NAME_MAX;
constexpr std::string_view kPartMark = ".part-";

// A temporary file of ours is ".NAME.part-PID-N", NAME cut short where the whole would be too
// long for the folder. Whether `name` is one, and the process that made it.
bool IsOurTemporary(std::string_view name, pid_t& pid) {
    if (name.size() < 2 || name[0] != '.') return false;
    const std::size_t mark = name.rfind(kPartMark);
    if (mark == std::string_view::npos || mark == 0) return false;
    const std::string_view rest = name.substr(mark + kPartMark.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return false;
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (i != dash && (rest[i] < '0' || rest[i] > '9')) return false;
    if (dash > 9) return false;
    pid = static_cast<pid_t>(std::stol(std::string(rest.substr(0, dash))));
    return pid > 0;
}

// Removes the temporary files a killed writer left in `dir` (its process is gone); those of
// writers still running are theirs.
void RemoveStaleTemporaries(const std::string& dir) {
    DIR* folder = ::opendir(dir.empty() ? "." : dir.c_str());
    if (folder == nullptr) return;
    const uid_t self = ::geteuid();
    while (const dirent* entry = ::readdir(folder)) {
        pid_t pid = 0;
        if (!IsOurTemporary(entry->d_name, pid)) continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        const std::string path = dir + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == self)
            ::unlink(path.c_str());
    }
    ::closedir(folder);
}

// A new, empty file beside `target`, named after it and hidden; -1 with errno when none can be
// made. Its permissions are those any new file gets (0666 less the umask).
int CreateTemporary(const std::string& target, std::string& path) {
    const auto [dir, base] = SplitPath(target);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix = std::string(kPartMark) + std::to_string(::getpid()) + "-" +
                                   std::to_string(++counter);
        // Cut the name rather than fail beside a target whose name is near the longest.
        const std::size_t room = kNameMax - 1 - suffix.size();
        path = dir + "." + base.substr(0, room) + suffix;
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

// The file a chain of symbolic links ends at (the path itself when it is none), so that a
// write goes through the link rather than replacing it. False with errno on a loop.
bool FollowLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) return false;
        target.resize(static_cast<std::size_t>(n));
        path = target.starts_with('/') ? target : SplitPath(path).first + target;
    }
    errno = ELOOP;
    return false;
}

// Gives the temporary file the permission bits and, where the user may, the owner of the
// file it replaces.
void KeepPermissions(const std::string& path, const struct stat& old) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    [[maybe_unused]] const int ignored = ::fchmod(fd, old.st_mode & 07777);
    ::close(fd);
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

bool WriteBytesTo(const std::string& path, int flags, std::string_view bytes, std::string& why) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
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
}

// A writer that needs a path writes to a temporary file, which is then copied to standard
// output and removed.
bool StreamToStandardOutput(const std::function<bool(const std::string&, std::string&)>& write,
                            std::string& reason) {
    std::string path;
    const char* tmp = std::getenv("TMPDIR");
    const int fd = CreateTemporary(std::string(tmp && *tmp ? tmp : "/tmp") + "/stdout", path);
    if (fd < 0) {
        reason = SystemReason(errno);
        return false;
    }
    ::close(fd);
    std::string bytes;
    bool ok = write(path, reason) &&
              ReadWholeFile(path, static_cast<std::size_t>(1) << 31, bytes, reason);
    ::unlink(path.c_str());
    if (ok && !WriteAll(STDOUT_FILENO, bytes)) {
        reason = SystemReason(errno);
        ok = false;
    }
    return ok;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::size_t largest, std::string& bytes,
                   std::string& reason) {
    // Not blocking: opening a pipe for reading would wait for a writer.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    struct stat st {};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0) {
        reason = SystemReason(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        reason = NotAFile(st.st_mode);
        return false;
    }
    // Read to the end, unless the file is or grows larger than allowed.
    std::string read;
    char piece[64 * 1024];
    for (auto size = static_cast<std::uintmax_t>(st.st_size); size <= largest; size = read.size()) {
        const ssize_t n = ::read(file.fd, piece, sizeof piece);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            reason = SystemReason(errno);
            return false;
        }
        if (n == 0) {
            bytes = std::move(read);
            return true;
        }
        read.append(piece, static_cast<std::size_t>(n));
    }
    reason = "At " + std::to_string(std::max<std::uintmax_t>(st.st_size, read.size())) +
             " bytes it is larger than any file this program reads (" + std::to_string(largest) +
             " bytes).";
    return false;
}

bool IsStandardOutput(const std::string& target) { return target == "-" || target == "/dev/stdout"; }

bool WriteFileAtomically(const std::string& target, std::string_view bytes, std::string& reason) {
    if (IsStandardOutput(target)) {
        if (WriteAll(STDOUT_FILENO, bytes)) return true;
        reason = SystemReason(errno);
        return false;
    }
    return WriteFileAtomically(
        target,
        [bytes](const std::string& path, std::string& why) {
            return WriteBytesTo(path, O_WRONLY | O_TRUNC, bytes, why);
        },
        reason);
}

bool WriteFileAtomically(const std::string& given,
                         const std::function<bool(const std::string& path, std::string& reason)>& write,
                         std::string& reason) {
    if (IsStandardOutput(given)) return StreamToStandardOutput(write, reason);
    std::string target = given;
    if (target.empty() || target.back() == '/') {
        reason = SystemReason(EISDIR);
        return false;
    }
    if (!FollowLinks(target)) {
        reason = SystemReason(errno);
        return false;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        reason = SystemReason(EISDIR);
        return false;
    }
    // Replacing a pipe or a device by a plain file would break whatever uses it.
    if (exists && !S_ISREG(existing.st_mode)) {
        reason = NotAFile(existing.st_mode);
        return false;
    }
    RemoveStaleTemporaries(SplitPath(target).first);
    std::string path;
    const int fd = CreateTemporary(target, path);
    if (fd < 0) {
        reason = SystemReason(errno);
        return false;
    }
    ::close(fd);
    if (write(path, reason)) {
        if (exists) KeepPermissions(path, existing);
        if (SyncAndRename(path, target, reason)) return true;
    }
    if (reason.empty()) reason = SystemReason(EIO);
    ::unlink(path.c_str());
    return false;
}

std::string ExportFailedMessage(const std::string& target, const std::string& reason) {
    return "The file " + target + " could not be written.\n" + reason;
}
