// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/data_file_read.h"

#include "common/descriptor_input.h"
#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <sys/stat.h>
#include <unistd.h>

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

// Everything beneath the root goes: the nodes and the root's own details.
void ClearBelow(TreeNode& root)
{
    root.Tree().DeleteChildren(root);
    if (TKPXObject* item = root.Data())
        while (item->HasChildren())
            item->DeleteChild(item->ChildAt(item->ChildCount() - 1));
}
} // namespace

DataFileRead ReadWholeFile(const std::filesystem::path& path, std::string& text)
{
    const OpenFile file(path);
    if (file.Fd() < 0)
        return errno == ENOENT ? DataFileRead{DataFileState::Missing, {}} : UnreadableFromErrno(path);
    return ReadOpened(path, file.Fd(), text);
}

DataFileRead LoadWholeDataFile(TreeNode& root, const std::filesystem::path& path)
{
    const OpenFile file(path);
    if (file.Fd() < 0)
        return errno == ENOENT ? DataFileRead{DataFileState::Missing, {}} : UnreadableFromErrno(path);
    if (const DataFileRead kind = CheckKind(path, file.Fd()); kind.state != DataFileState::Loaded)
        return kind;
    // Read as it streams in, so the file's text is never held beside the tree it becomes; a
    // read that fails part way takes back what it made.
    DescriptorInput buffer(file.Fd());
    std::istream in(&buffer);
    LoadDataStream(in, root);
    if (buffer.Error() == 0)
        return {};
    ClearBelow(root);
    return Unreadable(path, std::strerror(buffer.Error()));
}

} // namespace quillary
