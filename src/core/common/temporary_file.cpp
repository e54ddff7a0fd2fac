// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/temporary_file.h"

#include "common/file_error.h"
#include "common/link_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

namespace quillary {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view Marker = ".tmp-";
constexpr std::size_t RandomDigits = 16;
constexpr std::string_view LegacyMarker = ".tmp";
constexpr std::size_t LegacyDigits = 6;
// Names are drawn from 2^64; running out of this many tries means someone is planting them.
constexpr int Attempts = 100;

std::string Reason(int error)
{
    return std::strerror(error);
}

bool AllOf(std::string_view text, std::string_view allowed)
{
    return std::all_of(text.begin(), text.end(), [&](char c) { return allowed.find(c) != std::string_view::npos; });
}

// The folder a name beside target lives in, for listing it.
fs::path FolderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

bool IsOwnRegularFile(const fs::path& path)
{
    struct stat info
    {
    };
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}
} // namespace

std::string TemporaryFile::RandomName()
{
    // Seeded once per thread: opening the entropy source for each of thousands of files shows in
    // the time of publishing a site.
    thread_local std::mt19937_64 random{(std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}()};
    char digits[RandomDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
    return digits;
}

TemporaryFile::TemporaryFile(const fs::path& target, std::optional<fs::perms> mode, const NameSource& names)
{
    const auto bits =
        static_cast<mode_t>(mode.value_or(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::group_write | fs::perms::others_read | fs::perms::others_write) &
                            fs::perms::mask);
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        fs::path candidate = target;
        candidate += std::string(Marker) + names();
        m_fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, bits);
        if (m_fd >= 0) {
            m_path = std::move(candidate);
            break;
        }
        if (errno != EEXIST)
            throw FileError(target, "Cannot create file (" + Reason(errno) + ")");
    }
    if (m_fd < 0)
        throw FileError(target, "Cannot create file (no free temporary name)");
    // The umask may have taken bits away; a given mode is the caller's decision.
    if (mode && ::fchmod(m_fd, bits) != 0) {
        const int error = errno;
        Discard();
        throw FileError(target, "Cannot create file (" + Reason(error) + ")");
    }
}

TemporaryFile::~TemporaryFile()
{
    Discard();
}

void TemporaryFile::Discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    m_path.clear();
}

void TemporaryFile::RenameOver(const fs::path& target)
{
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        throw FileError(target, "Cannot write file (" + Reason(errno) + ")");
    if (::rename(m_path.c_str(), target.c_str()) != 0)
        throw FileError(target, "Cannot replace file (" + Reason(errno) + ")");
    m_path.clear();
}

bool IsTemporaryNameOf(const fs::path& target, const std::string& name)
{
    const std::string base = target.filename().string();
    if (base.empty() || !name.starts_with(base))
        return false;
    const std::string_view rest = std::string_view(name).substr(base.size());
    if (rest.starts_with(Marker)) {
        const std::string_view digits = rest.substr(Marker.size());
        return digits.size() == RandomDigits && AllOf(digits, "0123456789abcdef");
    }
    if (!rest.starts_with(LegacyMarker))
        return false;
    const std::string_view digits = rest.substr(LegacyMarker.size());
    return !digits.empty() && digits.size() <= LegacyDigits && AllOf(digits, "0123456789");
}

int RemoveStaleTemporaries(const fs::path& target)
{
    fs::path resolved;
    try {
        resolved = WriteTarget(target);
    } catch (const FileError&) {
        return 0; // a loop of links: no save can have written there
    }
    std::error_code error;
    int removed = 0;
    for (fs::directory_iterator entry(FolderOf(resolved), error), end; !error && entry != end; entry.increment(error)) {
        const fs::path& path = entry->path();
        if (IsTemporaryNameOf(resolved, path.filename().string()) && IsOwnRegularFile(path) &&
            ::unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace quillary
