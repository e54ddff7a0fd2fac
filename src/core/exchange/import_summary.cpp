// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/import_counts.h"

#include "model/item_kind.h"
#include "model/tree_depth.h"

#include <algorithm>
#include <utility>

namespace quillary {

namespace {
// A file with many bad rows would bury the rest of the report.
constexpr std::size_t ReasonsListed = 20;

std::string Plural(std::string noun)
{
    if (noun.ends_with('y'))
        return noun.substr(0, noun.size() - 1) + "ies";
    return noun + (noun.ends_with('s') || noun.ends_with('x') ? "es" : "s");
}

std::string Counted(int count, const std::string& noun)
{
    return std::to_string(count) + " " + (count == 1 ? noun : Plural(noun));
}

// "Made 12 persons, 1 organization.", the largest numbers first.
std::string MadeLine(const ImportCounts& counts)
{
    if (counts.made == 0)
        return "Nothing was imported.";
    std::vector<std::pair<int, int>> kinds(counts.madeByKind.begin(), counts.madeByKind.end());
    std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string line = "Made ";
    int listed = 0;
    for (const auto& [kind, count] : kinds) {
        line += (listed > 0 ? ", " : "") + Counted(count, std::string(KindName(kind)));
        listed += count;
    }
    // Importers that do not tell the kinds still give the number of items.
    if (listed < counts.made)
        line += (listed > 0 ? ", " : "") + Counted(counts.made - listed, listed > 0 ? "other item" : "item");
    return line + ".";
}

std::string FirstWord(const std::string& reason)
{
    return reason.substr(0, reason.find_first_of(" :"));
}

// What the reasons speak of ("row", "line", "shortcut"), when they all begin alike.
std::string RejectedNoun(const std::vector<std::string>& reasons)
{
    if (reasons.empty())
        return "entry";
    const std::string first = FirstWord(reasons.front());
    const bool alike = !first.empty() && std::all_of(reasons.begin(), reasons.end(), [&](const std::string& reason) {
        return FirstWord(reason) == first;
    });
    return alike ? first : "entry";
}

// One reason a line, the first few only.
std::string ListedReasons(const std::vector<std::string>& reasons)
{
    std::string text;
    const std::size_t shown = std::min(reasons.size(), ReasonsListed);
    for (std::size_t i = 0; i < shown; ++i)
        text += "\n" + reasons[i];
    if (shown < reasons.size())
        text += "\n... and " + std::to_string(reasons.size() - shown) + " more.";
    return text;
}

std::string UnkeptLines(const ImportCounts& counts)
{
    std::vector<std::pair<std::string, int>> kinds(counts.cardsWithUnkept.begin(), counts.cardsWithUnkept.end());
    std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string text;
    for (const auto& [what, cards] : kinds)
        text += "\n" + Counted(cards, "card") + " had " + what + "; " + what + " are not kept.";
    return text;
}

std::string RejectedLines(const ImportCounts& counts)
{
    return "\nRejected " + Counted(counts.rejected, RejectedNoun(counts.reasons)) +
           (counts.reasons.empty() ? "." : ":") + ListedReasons(counts.reasons);
}
} // namespace

std::string ImportSummary(const ImportCounts& counts)
{
    std::string summary = MadeLine(counts);
    if (counts.placedAtDepthLimit > 0)
        summary += "\n" + PlacedAtDepthLimitText(counts.placedAtDepthLimit);
    if (counts.rejected > 0)
        summary += RejectedLines(counts);
    if (!counts.leftOut.empty())
        summary += "\nLeft out of imported entries:" + ListedReasons(counts.leftOut);
    return summary + UnkeptLines(counts);
}

} // namespace quillary
