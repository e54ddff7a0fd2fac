// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/recovery_copy.h"

#include "common/atomic_file.h"
#include "common/file_error.h"
#include "common/sha256.h"
#include "model/data_file.h"
#include "places/app_places.h"

#include <sys/stat.h>
#include <unistd.h>

namespace quillary {

namespace fs = std::filesystem;

namespace {
void MakePrivateFolder(const fs::path& folder)
{
    std::error_code error;
    if (fs::is_directory(folder, error))
        return;
    if (!fs::create_directories(folder, error) && !fs::is_directory(folder))
        throw FileError(folder, "Cannot create folder");
    fs::permissions(folder, fs::perms::owner_all, error);
}
} // namespace

fs::path RecoveryFileOf(const fs::path& dataFile)
{
    fs::path file = dataFile;
    file += ".recovery";
    return file;
}

fs::path FallbackRecoveryFileOf(const fs::path& dataFile)
{
    // Named after the data file's whole path (as written, so that no folder need be readable to
    // find it): two data files of one name keep their copies apart.
    std::error_code error;
    fs::path whole = fs::absolute(dataFile, error);
    whole = (error ? dataFile : whole).lexically_normal();
    fs::path name = dataFile.filename();
    name += "-" + Sha256Hex(whole.string()).substr(0, 16);
    return StateFolder() / RecoveryFileOf(name);
}

void WriteRecoveryCopy(const ItemTree& tree, const fs::path& path, bool makeFolder)
{
    if (makeFolder && path.has_parent_path())
        MakePrivateFolder(path.parent_path());
    WriteFileAtomically(path, [&](std::ostream& out) { WriteDataStream(tree, out); });
    // A copy of every contact: nobody else may read it, whatever the umask made of it.
    std::error_code error;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, error);
}

std::optional<FileTime> LastWritten(const fs::path& path)
{
    // stat: the standard library's file clock has no portable way to the system clock in C++20.
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileTime(std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec));
}

namespace {
// A copy is offered only as the file this user's program wrote: a plain file of the user's own,
// not a link that another user could point at a file of their choosing.
std::optional<FileTime> WrittenByUser(const fs::path& path)
{
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
        return std::nullopt;
    return FileTime(std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec));
}
} // namespace

std::optional<RecoveryCopy> FindRecoveryCopy(const fs::path& dataFile)
{
    const std::optional<FileTime> dataWritten = LastWritten(dataFile);
    std::optional<RecoveryCopy> newest;
    for (const fs::path& file : {RecoveryFileOf(dataFile), FallbackRecoveryFileOf(dataFile)}) {
        const std::optional<FileTime> written = WrittenByUser(file);
        // Not older, rather than newer: file times are coarse, and an offer too many loses nothing.
        if (!written || (dataWritten && *written < *dataWritten) || (newest && *written <= newest->written))
            continue;
        newest = RecoveryCopy{file, *written, dataWritten};
    }
    return newest;
}

} // namespace quillary
