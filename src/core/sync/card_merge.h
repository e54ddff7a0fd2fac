// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/card_fields.h"

#include <string>
#include <vector>

namespace quillary {

// The result of merging this side's and the server's fields against the last agreed ones.
struct CardMerge
{
    CardFields fields;
    // The fields both sides changed differently, where both values were kept ("N", "TEL"...).
    std::vector<std::string> conflicts;
};

// Three-way merge. A single changed on one side takes that side's value; changed differently on
// both, this side's value stays and the server's is written into the note after a conflict
// marker (once: a note that already carries it is not marked again). Several-valued fields merge
// value by value: what either side added is kept, what one side removed and the other kept is
// removed; when both sides replaced the same value, both new ones are kept. Each category is
// taken from the side that changed it.
CardMerge MergeCardFields(const CardFields& base, const CardFields& local, const CardFields& remote);

// The marker that introduces the server's value of a conflicting field in the note.
std::string ConflictMarker(std::string_view field, std::string_view serverValue);

} // namespace quillary
