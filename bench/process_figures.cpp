// SPDX-License-Identifier: GPL-3.0-or-later
#include "process_figures.h"
#include "stopwatch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace quillary::bench {

namespace {
double SecondsOf(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}
} // namespace

ProcessFigures RunProgram(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ProcessFigures figures;
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    figures.wall = Seconds([&] {
        const int error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0)
            throw std::runtime_error("cannot start " + command.front());
        // wait4 gives the child's own counts, whatever else this process has waited for.
        while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
        }
    });
    figures.processor = SecondsOf(usage.ru_utime) + SecondsOf(usage.ru_stime);
    figures.peakKiB = static_cast<std::size_t>(usage.ru_maxrss);
    figures.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return figures;
}

} // namespace quillary::bench
