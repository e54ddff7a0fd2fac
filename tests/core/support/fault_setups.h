// SPDX-License-Identifier: GPL-3.0-or-later
// The faults files meet on a real machine, brought about for real: another local user, a umask,
// a full disk. The tests run as root, as CI does.
#pragma once

#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace quillary::test {

inline constexpr uid_t NobodyId = 65534;

// Runs code in a child process that has become user and group nobody, with no other groups, as
// setpriv --reuid=65534 --regid=65534 --clear-groups does; the result is the child's exit
// status, or -1 when it did not end normally.
inline int RunAsNobody(const std::function<int()>& code)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(NobodyId, NobodyId, NobodyId) != 0 ||
            ::setresuid(NobodyId, NobodyId, NobodyId) != 0)
            ::_exit(125);
        ::_exit(code());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a shell command as nobody through setpriv; true when it succeeded.
inline bool NobodyRuns(const std::string& command)
{
    const std::string line = "setpriv --reuid=65534 --regid=65534 --clear-groups sh -c '" + command + "' 2>/dev/null";
    return std::system(line.c_str()) == 0;
}

inline bool NobodyCanRead(const std::filesystem::path& file)
{
    return NobodyRuns("cat \"" + file.string() + "\" >/dev/null");
}

// Sets the umask while alive.
class UmaskScope
{
public:
    explicit UmaskScope(mode_t mask) : m_old(::umask(mask)) {}
    ~UmaskScope() { ::umask(m_old); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

private:
    mode_t m_old;
};

inline std::filesystem::perms ModeOf(const std::filesystem::path& path)
{
    return std::filesystem::symlink_status(path).permissions() & std::filesystem::perms::mask;
}

// A small tmpfs mounted on folder while alive, filled up to its last byte by Fill().
class FullDisk
{
public:
    explicit FullDisk(std::filesystem::path folder) : m_folder(std::move(folder))
    {
        std::filesystem::create_directories(m_folder);
        m_mounted = ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=256k,mode=0755") == 0;
    }
    ~FullDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    void Fill() const
    {
        std::ofstream filler(m_folder / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            ;
    }

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
};

} // namespace quillary::test
