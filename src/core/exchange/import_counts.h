// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace quillary {

// What an import did: the items it made at the top of the destination (details made inside them
// are not counted) and the rows, records or cards it left out.
struct ImportCounts
{
    int made = 0;
    int rejected = 0;
};

// Called now and then during long work with the amount done and the whole; returning false stops
// the work after the current row or item.
using ProgressFn = std::function<bool(std::uint64_t done, std::uint64_t total)>;

} // namespace quillary
