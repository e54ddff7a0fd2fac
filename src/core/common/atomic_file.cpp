// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"

#include "common/descriptor_stream.h"
#include "common/file_error.h"
#include "common/link_target.h"
#include "common/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>

namespace quillary {

namespace fs = std::filesystem;

namespace {
thread_local int BatchDepth = 0;
thread_local int SharedDepth = 0;

constexpr fs::perms PrivateMode = fs::perms::owner_read | fs::perms::owner_write;

// Flushes the folder's entries, so the rename itself survives a crash of the machine. Saving
// speaks POSIX throughout: the standard library can neither sync a file nor create one
// exclusively with a mode of its own.
bool SyncFolder(const fs::path& file)
{
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

std::optional<struct stat> Existing(const fs::path& target)
{
    struct stat info
    {
    };
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info;
}

// The replaced file's owner and group, where this user may give them (root may; others may keep
// a group they belong to). Failing that the file becomes ours, which a save by us makes it anyway.
void KeepOwner(int fd, const struct stat& old)
{
    if (old.st_uid == ::geteuid() && old.st_gid == ::getegid())
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
        return;
    // A change of owner clears set-id bits; the mode is the old file's all the same.
    ::fchmod(fd, old.st_mode & 07777);
}

void WriteContent(const TemporaryFile& temporary, const fs::path& path, const std::function<void(std::ostream&)>& write)
{
    DescriptorBuffer buffer(temporary.Descriptor());
    std::ostream out(&buffer);
    const auto failed = [&] {
        const int error = buffer.Error();
        return FileError(path, error ? "Cannot write file (" + std::string(std::strerror(error)) + ")"
                                     : std::string("Cannot write file"));
    };
    try {
        write(out);
    } catch (const FileError& error) {
        // Writers report a failed stream without knowing its file.
        if (error.Path().empty())
            throw failed();
        throw;
    }
    if (!out.flush())
        throw failed();
    if (BatchDepth == 0 && ::fsync(temporary.Descriptor()) != 0)
        throw FileError(path, "Cannot write file (" + std::string(std::strerror(errno)) + ")");
}
} // namespace

void WriteFileAtomically(const fs::path& path, const std::function<void(std::ostream&)>& write)
{
    const fs::path target = WriteTarget(path);
    const auto old = Existing(target);
    std::optional<fs::perms> mode;
    if (old)
        mode = static_cast<fs::perms>(old->st_mode & 07777);
    else if (SharedDepth == 0)
        mode = PrivateMode;
    TemporaryFile temporary(target, mode);
    if (old)
        KeepOwner(temporary.Descriptor(), *old);
    WriteContent(temporary, path, write);
    temporary.RenameOver(target);
    if (BatchDepth == 0)
        SyncFolder(target);
}

BatchedSync::BatchedSync(fs::path folder) : m_folder(std::move(folder))
{
    ++BatchDepth;
}

BatchedSync::~BatchedSync()
{
    if (--BatchDepth > 0)
        return;
    // One flush of the whole file system the batch wrote to.
    const int fd = ::open(m_folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::syncfs(fd);
    ::close(fd);
}

SharedFileMode::SharedFileMode()
{
    ++SharedDepth;
}

SharedFileMode::~SharedFileMode()
{
    --SharedDepth;
}

} // namespace quillary
