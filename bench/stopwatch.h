// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include <sys/resource.h>

namespace quillary::bench {

// Wall-clock seconds that work takes.
template <typename Work> double Seconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor seconds (user and system) spent so far by this process (RUSAGE_SELF) or by the
// programs it has waited for (RUSAGE_CHILDREN). On a busy machine they say more about the work
// than the wall clock does.
inline double ProcessorSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace quillary::bench
