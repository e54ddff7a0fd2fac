// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillary::bench {

// What one whole program run cost, as the kernel counted it for that child alone.
struct ProcessFigures
{
    double wall = 0;      // seconds from start to exit
    double processor = 0; // user and system seconds
    // The kernel keeps the starting process's own peak for the child too (it started as a copy
    // of it), so the starting process must stay small for this to be the program's alone.
    std::size_t peakKiB = 0;
    int status = -1; // the exit status, or -1 when it did not exit normally
};

// Runs program with arguments (found on PATH when it has no slash), its output thrown away, and
// waits for it. Throws std::runtime_error when it cannot be started.
ProcessFigures RunProgram(const std::vector<std::string>& command);

// The run of the least processor time among `runs` runs, each preceded by prepare (which may
// remove what the previous run left). A failed run is returned at once.
template <typename Prepare>
ProcessFigures BestRun(const std::vector<std::string>& command, int runs, Prepare&& prepare)
{
    ProcessFigures best;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const ProcessFigures figures = RunProgram(command);
        if (figures.status != 0)
            return figures;
        if (run == 0 || figures.processor < best.processor)
            best = figures;
    }
    return best;
}

} // namespace quillary::bench
