// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace quillary::bench {

namespace {
// Closes both ends of a pipe on every way out.
struct Pipe
{
    int ends[2] = {-1, -1};
    Pipe()
    {
        if (::pipe(ends) != 0)
            throw std::runtime_error("cannot create a pipe");
    }
    ~Pipe() { CloseBoth(); }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void Close(int i)
    {
        if (ends[i] >= 0)
            ::close(ends[i]);
        ends[i] = -1;
    }
    void CloseBoth()
    {
        Close(0);
        Close(1);
    }
};

pid_t Spawn(const std::vector<std::string>& arguments, Pipe& output)
{
    static const char* self = "/proc/self/exe";
    std::vector<char*> argv{const_cast<char*>(self)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output.ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output.ends[0]);
    pid_t child = 0;
    const int error = posix_spawn(&child, self, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start a measuring process");
    return child;
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            return text;
    }
}
} // namespace

std::string RunSelf(const std::vector<std::string>& arguments)
{
    Pipe output;
    const pid_t child = Spawn(arguments, output);
    output.Close(1);
    std::string text = ReadAll(output.ends[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the measuring process failed");
    return text;
}

} // namespace quillary::bench
