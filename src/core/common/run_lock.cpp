// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/run_lock.h"

#include "common/file_error.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace quillary {

std::filesystem::path RunLock::LockFileOf(const std::filesystem::path& dataFile)
{
    // The same data file reached by another name must find the same lock.
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(dataFile, error);
    if (error)
        path = std::filesystem::absolute(dataFile);
    path += ".lock";
    return path;
}

namespace {
// A new lock file is private whatever the umask (a umask that took the owner's write bit would
// lock the owner out of it next time); one that exists is opened as it is. Neither is reached
// through a link someone planted.
int OpenLockFile(const std::filesystem::path& lockFile)
{
    constexpr mode_t PrivateMode = 0600;
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, PrivateMode);
    if (fd >= 0) {
        ::fchmod(fd, PrivateMode);
        return fd;
    }
    return errno == EEXIST ? ::open(lockFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC) : -1;
}
} // namespace

// flock is the one way to a lock the kernel drops when its holder dies; the standard library has none.
std::optional<RunLock> RunLock::TryAcquire(const std::filesystem::path& dataFile)
{
    const std::filesystem::path lockFile = LockFileOf(dataFile);
    const int fd = OpenLockFile(lockFile);
    if (fd < 0)
        throw FileError(lockFile, "Cannot create file");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return RunLock(fd);
}

RunLock::RunLock(RunLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

RunLock& RunLock::operator=(RunLock&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

RunLock::~RunLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace quillary
