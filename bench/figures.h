// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillary::bench {

// What one measuring run found for one generated file. Times are in seconds.
struct Figures
{
    int persons = 0;
    std::size_t fileBytes = 0;
    double loadSeconds = 0;
    double saveSeconds = 0;
    int nodes = 0;
    int items = 0;
    std::size_t peakKiB = 0;
    double walkSeconds = 0; // NodeCount and NodeAt(i) for every node of a freshly loaded tree
    double scanSeconds = 0; // FindByWord, matching nothing, on every node's item
    double untoldSeconds = 0; // the start's search for the due reminders not told yet
    std::size_t untold = 0;   // and how many it found
    bool sameText = false;  // the saved file equals the loaded one byte for byte
};

// One line of plain numbers, as a measuring child process hands its figures back.
std::string ToLine(const Figures& figures);
std::optional<Figures> FromLine(const std::string& line);

// A Markdown table, one row per file, ready to paste into documentation.
void PrintTable(const std::vector<Figures>& rows, std::ostream& out);

} // namespace quillary::bench
