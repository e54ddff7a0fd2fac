// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/group_cards.h"

#include "common/ascii_case.h"
#include "common/blank_trim.h"

#include <algorithm>
#include <set>

namespace quillary {

namespace {
constexpr std::string_view UuidScheme = "urn:uuid:";

bool IsKindLine(const CardLine& line)
{
    return line.name == "KIND" || line.name == "X-ADDRESSBOOKSERVER-KIND";
}

bool IsMemberLine(const CardLine& line)
{
    return line.name == "MEMBER" || line.name == "X-ADDRESSBOOKSERVER-MEMBER";
}

// The member property of the card's form: the one it uses, else the one its kind line goes with.
std::string MemberProperty(const std::vector<CardLine>& lines)
{
    for (const CardLine& line : lines)
        if (IsMemberLine(line))
            return line.name;
    const bool apple = std::any_of(lines.begin(), lines.end(),
                                   [](const CardLine& line) { return line.name == "X-ADDRESSBOOKSERVER-KIND"; });
    return apple ? "X-ADDRESSBOOKSERVER-MEMBER" : "MEMBER";
}
} // namespace

bool IsGroupCard(const std::vector<CardLine>& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const CardLine& line) {
        return IsKindLine(line) && EqualsNoCase(TrimBlanks(line.value), "group");
    });
}

std::string GroupName(const std::vector<CardLine>& lines)
{
    for (const CardLine& line : lines)
        if (line.name == "FN")
            return std::string(TrimBlanks(UnescapeCardText(line.value)));
    return {};
}

std::string MemberUid(std::string_view uid)
{
    uid = TrimBlanks(uid);
    if (StartsWithNoCase(uid, UuidScheme))
        uid.remove_prefix(UuidScheme.size());
    return std::string(uid);
}

std::vector<std::string> GroupMembers(const std::vector<CardLine>& lines)
{
    std::vector<std::string> members;
    std::set<std::string> seen;
    for (const CardLine& line : lines) {
        if (!IsMemberLine(line))
            continue;
        std::string uid = MemberUid(UnescapeCardText(line.value));
        if (!uid.empty() && seen.insert(uid).second)
            members.push_back(std::move(uid));
    }
    return members;
}

std::vector<CardLine> WithGroupMembers(const std::vector<CardLine>& lines, const std::vector<std::string>& members)
{
    const std::set<std::string> wanted(members.begin(), members.end());
    std::set<std::string> listed;
    std::vector<CardLine> out;
    std::size_t after = lines.size(); // where new members go: after the last member line kept
    for (const CardLine& line : lines) {
        if (!IsMemberLine(line)) {
            out.push_back(line);
            continue;
        }
        const std::string uid = MemberUid(UnescapeCardText(line.value));
        if (wanted.count(uid) != 0 && listed.insert(uid).second) {
            out.push_back(line);
            after = out.size();
        }
    }
    if (after > out.size())
        after = out.size();
    const std::string property = MemberProperty(lines);
    std::vector<CardLine> added;
    for (const std::string& uid : members)
        if (listed.insert(uid).second)
            added.push_back(PlainLine(property, std::string(UuidScheme) + uid));
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(after), added.begin(), added.end());
    return out;
}

} // namespace quillary
