// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>

namespace quillary {

// Marks a data file as in use, so that the program and its command-line companion never both
// change it: each holds the lock while the file may change under it. The lock lives in a small
// file beside the data file and ends with the process, however it ends.
class RunLock
{
public:
    // None when another process holds the lock; FileError when the lock file cannot be made.
    static std::optional<RunLock> TryAcquire(const std::filesystem::path& dataFile);
    static std::filesystem::path LockFileOf(const std::filesystem::path& dataFile);

    RunLock(RunLock&& other) noexcept;
    RunLock& operator=(RunLock&& other) noexcept;
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;
    ~RunLock();

private:
    explicit RunLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace quillary
