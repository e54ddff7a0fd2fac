// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quillary {

// What an import did: the items it made at the top of the destination (details made inside them
// are not counted) and the rows, records or cards it left out.
struct ImportCounts
{
    int made = 0;
    int rejected = 0;
    // The items made, by kind, and why each row, record or card was left out ("row 12: no first
    // or last name"), in file order.
    std::map<int, int> madeByKind;
    std::vector<std::string> reasons;
    // Records of an interchange file nested deeper than the tree may be, placed at its limit.
    int placedAtDepthLimit = 0;
    // Parts of imported entries that were not taken, with the reason ("card 3: URL left out: a
    // \"javascript:\" link is no web address"); the entries themselves were imported.
    std::vector<std::string> leftOut;
    // How many cards held something of each kind that the tree cannot keep, by what it is
    // ("photos"); the cards themselves were imported.
    std::map<std::string, int> cardsWithUnkept;
    // The columns of a delimited text file's first line that were mapped onto no field, when the
    // mapping was taken from that line.
    std::vector<std::string> ignoredColumns;

    void CountMade(int kind)
    {
        ++made;
        ++madeByKind[kind];
    }
    void CountRejected(std::string reason)
    {
        ++rejected;
        reasons.push_back(std::move(reason));
    }
    void NoteLeftOut(std::string reason) { leftOut.push_back(std::move(reason)); }
    void CountUnkept(const std::string& what) { ++cardsWithUnkept[what]; }
};

// The report an import ends with, for the wizard's message and the command line: the items made
// per kind, the records placed at the depth limit, then the rejected entries with their reasons, then
// what was left out of the others, then what cards held that is not kept ("23 cards had photos;
// photos are not kept."), the most frequent first.
std::string ImportSummary(const ImportCounts& counts);

// Called now and then during long work with the amount done and the whole; returning false stops
// the work after the current row or item.
using ProgressFn = std::function<bool(std::uint64_t done, std::uint64_t total)>;

} // namespace quillary
