// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_patch.h"

#include "common/ascii_case.h"
#include "exchange/card_field_map.h"
#include "sync/card_categories.h"
#include "sync/line_form.h"
#include "sync/note_breaks.h"

#include <algorithm>
#include <map>
#include <set>

namespace quillary {

namespace {
std::string Lower(std::string text)
{
    for (char& c : text)
        c = AsciiLower(c);
    return text;
}

// Groups already in use in the card, so that lines brought in get names of their own.
class GroupNames
{
public:
    explicit GroupNames(const std::vector<CardLine>& lines)
    {
        for (const CardLine& line : lines)
            if (!line.group.empty())
                m_used.insert(Lower(line.group));
    }
    // A fresh group for a set of lines that shared group in their own card.
    std::vector<CardLine> Renamed(std::vector<CardLine> lines)
    {
        if (lines.empty() || lines.front().group.empty())
            return lines;
        std::string fresh;
        do
            fresh = "item" + std::to_string(++m_next);
        while (m_used.count(fresh) != 0);
        m_used.insert(fresh);
        for (CardLine& line : lines)
            line.group = fresh;
        return lines;
    }

private:
    std::set<std::string> m_used;
    int m_next = 0;
};

bool IsKindLine(const CardLine& line)
{
    return line.group.empty() && (line.name == "KIND" || line.name == "X-ABSHOWAS");
}

bool SaysOrganization(const CardLine& line)
{
    return EqualsNoCase(line.value, "org") || EqualsNoCase(line.value, "COMPANY");
}

bool HasValue(const CardFields& fields, const CardLine& line)
{
    const auto it = fields.sets.find(line.name);
    return it != fields.sets.end() &&
           std::any_of(it->second.begin(), it->second.end(), [&](const CardElement& element) {
               return ReadableValue(element.lines.front()) == ReadableValue(line);
           });
}

// Whether the tree took what a tree-held line says. What it could not take (a second website
// where it keeps one, a date it cannot read) stays on the card as the server has it.
bool TreeTook(const CardLine& line, const std::vector<CardLine>& server, const CardFields& serverFields,
              const CardFields& merged)
{
    const auto& sets = CardSetNames();
    if (std::find(sets.begin(), sets.end(), line.name) != sets.end())
        return HasValue(serverFields, line);
    for (const CardLine& property : server)
        if (&property != &line && !line.group.empty() && EqualsNoCase(property.group, line.group) &&
            std::find(sets.begin(), sets.end(), property.name) != sets.end())
            return HasValue(serverFields, property);
    const std::string single = line.name == "X-ANNIVERSARY" ? "ANNIVERSARY" : line.name;
    return serverFields.singles.count(single) != 0 || merged.singles.count(single) != 0 || IsKindLine(line);
}

bool IsSetName(std::string_view name)
{
    const auto& sets = CardSetNames();
    return std::find(sets.begin(), sets.end(), name) != sets.end();
}

// The single a line stands for (an older name as the field's own), or empty text.
std::string SingleOf(const CardLine& line)
{
    const CardFieldRow* row = CardFieldNamed(line.name);
    return row && !row->Several() ? std::string(row->property) : std::string();
}

// The tree's element of the card's line at index, of a set: the one of the same value, and of a
// value the card holds more than once, the nth for the nth line (their parameters may differ).
const CardElement* ElementOf(const CardFields& fields, const std::vector<CardLine>& card, std::size_t index)
{
    const CardLine& line = card[index];
    const auto it = fields.sets.find(line.name);
    if (it == fields.sets.end())
        return nullptr;
    const std::string readable = ReadableValue(line);
    const auto same = [&](const CardLine& other) {
        return other.name == line.name && ReadableValue(other) == readable;
    };
    auto nth = std::count_if(card.begin(), card.begin() + static_cast<std::ptrdiff_t>(index), same);
    for (const CardElement& element : it->second)
        if (ReadableValue(element.lines.front()) == readable && nth-- == 0)
            return &element;
    return nullptr;
}

bool SameCompanions(const CardElement& a, const CardElement& b)
{
    return std::equal(a.lines.begin() + 1, a.lines.end(), b.lines.begin() + 1, b.lines.end(),
                      [](const CardLine& x, const CardLine& y) { return x.name == y.name && x.value == y.value; });
}

// What becomes of each of the server's lines: kept, left out, or lines in its place.
struct LineFate
{
    bool keep = true;
    std::vector<CardLine> lines;
};

// The card patched line by line: a line the tree left as it was stays as the card has it, in its
// place; a changed one is written in that place in the card's form (its group, parameters and
// kind of value) unless the change is to what those say; what the tree added comes at the end.
class Patch
{
public:
    Patch(const std::vector<CardLine>& server, const CardFields& serverFields, const CardFields& merged)
        : m_server(server), m_serverFields(serverFields), m_merged(merged), m_groups(server),
          m_fates(server.size())
    {
    }

    std::vector<CardLine> Lines()
    {
        std::vector<bool> kept(m_server.size(), false);
        for (const auto& [name, elements] : m_merged.sets)
            for (const CardElement& element : elements)
                Sort(name, element, kept);
        for (std::size_t i = 0; i < m_server.size(); ++i)
            Decide(i, kept[i]);
        std::vector<CardLine> out;
        for (std::size_t i = 0; i < m_server.size(); ++i) {
            const LineFate& fate = m_fates[i];
            if (fate.keep && !DroppedCompanion(m_server[i]))
                out.push_back(m_server[i]);
            out.insert(out.end(), fate.lines.begin(), fate.lines.end());
        }
        for (const auto& [name, single] : m_merged.singles)
            if (m_singlesDone.count(name) == 0)
                out.push_back(single.line);
        for (auto& [name, added] : m_added)
            for (const CardElement* element : added)
                for (const CardLine& line : m_groups.Renamed(element->lines))
                    out.push_back(line);
        return out;
    }

private:
    // An element the server has marks its line kept; one it has not waits for a line to replace.
    void Sort(const std::string& name, const CardElement& element, std::vector<bool>& kept)
    {
        const auto there = m_serverFields.sets.find(name);
        if (there != m_serverFields.sets.end() &&
            std::find(there->second.begin(), there->second.end(), element) != there->second.end()) {
            for (std::size_t i = 0; i < m_server.size(); ++i) {
                const CardElement* theirs = m_server[i].name == name ? ElementOf(m_serverFields, m_server, i) : nullptr;
                if (!kept[i] && theirs && *theirs == element) {
                    kept[i] = true;
                    return;
                }
            }
        }
        m_added[name].push_back(&element);
    }

    void Decide(std::size_t i, bool kept)
    {
        const CardLine& line = m_server[i];
        LineFate& fate = m_fates[i];
        if (IsKindLine(line)) {
            fate.keep = SaysOrganization(line) == m_merged.organization;
            return;
        }
        if (!IsTreeHeldLine(line, m_server) || !TreeTook(line, m_server, m_serverFields, m_merged))
            return;
        if (const std::string single = SingleOf(line); !single.empty())
            DecideSingle(single, line, fate);
        else if (IsSetName(line.name) && !kept)
            DecideSetLine(i, fate);
    }

    void DecideSingle(const std::string& name, const CardLine& line, LineFate& fate)
    {
        const auto mine = m_merged.singles.find(name);
        const auto there = m_serverFields.singles.find(name);
        const bool same = mine != m_merged.singles.end() && there != m_serverFields.singles.end() &&
                          mine->second == there->second;
        const bool first = m_singlesDone.insert(name).second;
        fate.keep = same;
        if (same || !first || mine == m_merged.singles.end())
            return;
        CardLine written = line;
        const CardLine& tree = mine->second.line;
        written.value = name == "NOTE" && there != m_serverFields.singles.end()
                            ? NoteWithBreaks(line.value, there->second.value, tree.value)
                            : tree.value;
        if (there == m_serverFields.singles.end() || there->second.line.params != tree.params)
            written.params = tree.params;
        fate.lines.push_back(std::move(written));
    }

    // A line whose value the tree changed takes the first value added to its set; with none, it goes.
    void DecideSetLine(std::size_t index, LineFate& fate)
    {
        const CardLine& line = m_server[index];
        fate.keep = false;
        DropCompanionsOf(line);
        auto added = m_added.find(line.name);
        if (added == m_added.end() || added->second.empty())
            return;
        const CardElement& tree = *added->second.front();
        added->second.erase(added->second.begin());
        const CardElement* was = ElementOf(m_serverFields, m_server, index);
        CardLine written = line;
        written.value = ValueInFormOf(line, tree.lines.front());
        const bool ownParams = was && was->lines.front().params == tree.lines.front().params;
        if (!ownParams)
            written.params = tree.lines.front().params;
        // The server's companions stand for the tree's when they say the same; a line without a
        // group has none of its own, and its label may have been what its old parameters implied
        // ("EMAIL:" reads as "E-Mail", "EMAIL;TYPE=INTERNET:" as "Internet").
        if (was && SameCompanions(*was, tree) && (ownParams || !line.group.empty())) {
            m_droppedGroups.erase(Lower(line.group));
            fate.lines.push_back(std::move(written));
            return;
        }
        std::vector<CardLine> lines{written};
        lines.insert(lines.end(), tree.lines.begin() + 1, tree.lines.end());
        if (line.group.empty()) {
            for (CardLine& each : lines)
                each.group = tree.lines.front().group;
            lines = m_groups.Renamed(lines);
        } else {
            for (CardLine& each : lines)
                each.group = line.group;
        }
        fate.lines = std::move(lines);
    }

    void DropCompanionsOf(const CardLine& line)
    {
        if (!line.group.empty())
            m_droppedGroups.insert(Lower(line.group));
    }

    bool DroppedCompanion(const CardLine& line) const
    {
        return !line.group.empty() && !IsSetName(line.name) && SingleOf(line).empty() &&
               m_droppedGroups.count(Lower(line.group)) != 0 && IsTreeHeldLine(line, m_server);
    }

    const std::vector<CardLine>& m_server;
    const CardFields& m_serverFields;
    const CardFields& m_merged;
    GroupNames m_groups;
    std::vector<LineFate> m_fates;
    std::map<std::string, std::vector<const CardElement*>> m_added;
    std::set<std::string> m_singlesDone;
    std::set<std::string> m_droppedGroups;
};
} // namespace

std::vector<CardLine> PatchCard(const std::vector<CardLine>& server, const CardFields& serverFields,
                                const CardFields& merged, std::string_view version, const CategoryNames& slots)
{
    std::vector<CardLine> out = Patch(server, serverFields, merged).Lines();
    if (merged.categories != serverFields.categories)
        out = WithCategoryLine(out, merged.categories, slots);
    const bool marked = std::any_of(out.begin(), out.end(), [](const CardLine& line) {
        return IsKindLine(line) && SaysOrganization(line);
    });
    if (merged.organization && !marked)
        out.insert(out.begin(), version == "3.0" ? PlainLine("X-ABSHOWAS", "COMPANY") : PlainLine("KIND", "org"));
    return out;
}

std::string PatchVersion(std::string_view serverCard, std::string_view accountVersion)
{
    const std::string own = CardTextVersion(serverCard);
    return own == "3.0" || own == "4.0" ? own : std::string(accountVersion);
}

} // namespace quillary
