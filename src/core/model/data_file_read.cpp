// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/data_file_read.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quillary {

namespace {
DataFileRead Unreadable(const std::filesystem::path& path, const std::string& why)
{
    return {DataFileState::Unreadable, "Cannot read " + path.string() + ": " + why};
}

// The reason from errno, taken at once, before anything else can change it.
DataFileRead UnreadableFromErrno(const std::filesystem::path& path)
{
    return Unreadable(path, std::strerror(errno));
}

// POSIX rather than streams: a stream cannot tell a missing file from a forbidden one, nor say
// why a read failed.
class OpenFile
{
public:
    explicit OpenFile(const std::filesystem::path& path)
        // Non-blocking, so a pipe in the file's place cannot hold the start; it is refused below.
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
    }
    ~OpenFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Fd() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Only regular files hold data: a folder or a device in the file's place is no data file.
DataFileRead CheckKind(const std::filesystem::path& path, int fd, off_t* size = nullptr)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        return UnreadableFromErrno(path);
    if (S_ISDIR(info.st_mode))
        return Unreadable(path, "it is a folder, not a file");
    if (!S_ISREG(info.st_mode))
        return Unreadable(path, "it is not a regular file");
    if (size)
        *size = info.st_size;
    return {};
}

DataFileRead ReadOpened(const std::filesystem::path& path, int fd, std::string& text)
{
    off_t size = 0;
    if (const DataFileRead kind = CheckKind(path, fd, &size); kind.state != DataFileState::Loaded)
        return kind;
    text.clear();
    text.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            return {};
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const DataFileRead failed = UnreadableFromErrno(path);
            text.clear();
            return failed;
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace

DataFileRead ReadWholeFile(const std::filesystem::path& path, std::string& text)
{
    const OpenFile file(path);
    if (file.Fd() < 0)
        return errno == ENOENT ? DataFileRead{DataFileState::Missing, {}} : UnreadableFromErrno(path);
    return ReadOpened(path, file.Fd(), text);
}

DataFileRead OpenDataFile(const std::filesystem::path& path, int& fd, std::uint64_t& size)
{
    OpenFile file(path);
    if (file.Fd() < 0)
        return errno == ENOENT ? DataFileRead{DataFileState::Missing, {}} : UnreadableFromErrno(path);
    off_t length = 0;
    if (const DataFileRead kind = CheckKind(path, file.Fd(), &length); kind.state != DataFileState::Loaded)
        return kind;
    fd = file.Release();
    size = static_cast<std::uint64_t>(length);
    return {};
}

} // namespace quillary
