// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"

#include "common/file_error.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <random>

namespace quillary {

namespace {
// Flushes a file's data to the disk, so a crash of the machine after the rename cannot leave an empty file.
// POSIX is the one thing beyond the standard library here: std::ofstream cannot sync.
bool SyncToDisk(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

thread_local int BatchDepth = 0;

// Inside a batch the flushes are left to the batch's end.
bool SyncUnlessBatched(const std::filesystem::path& path)
{
    return BatchDepth > 0 || SyncToDisk(path);
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& path)
{
    // Seeded once per thread: opening the system's entropy source for each of thousands of files
    // shows in the time of publishing a site.
    thread_local std::mt19937 random{std::random_device{}()};
    auto temporary = path;
    temporary += ".tmp" + std::to_string(random() % 1000000);
    return temporary;
}

void WriteTemporary(const std::filesystem::path& temporary, const std::filesystem::path& path,
                    const std::function<void(std::ostream&)>& write)
{
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        throw FileError(path, "Cannot create file");
    try {
        write(out);
    } catch (const FileError& error) {
        // Writers report a failed stream without knowing its file.
        if (error.Path().empty())
            throw FileError(path, "Cannot write file");
        throw;
    }
    out.flush();
    if (!out)
        throw FileError(path, "Cannot write file");
    out.close();
    if (out.fail() || !SyncUnlessBatched(temporary))
        throw FileError(path, "Cannot write file");
}
} // namespace

void WriteFileAtomically(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write)
{
    const auto temporary = TemporaryBeside(path);
    try {
        WriteTemporary(temporary, path, write);
        std::error_code ignored;
        const auto old = std::filesystem::status(path, ignored);
        if (std::filesystem::exists(old))
            std::filesystem::permissions(temporary, old.permissions(), ignored);
        std::filesystem::rename(temporary, path);
    } catch (const std::filesystem::filesystem_error&) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw FileError(path, "Cannot replace file");
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    if (BatchDepth > 0)
        return;
    if (path.has_parent_path())
        SyncToDisk(path.parent_path());
    else
        SyncToDisk(".");
}

BatchedSync::BatchedSync(std::filesystem::path folder) : m_folder(std::move(folder))
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

} // namespace quillary
