// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace quillary::bench {

// Wall-clock seconds that work takes.
template <typename Work> double Seconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace quillary::bench
