// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_patch.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <set>

namespace quillary {

namespace {
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
    void Use(const std::string& group) { m_used.insert(Lower(group)); }

private:
    static std::string Lower(std::string text)
    {
        for (char& c : text)
            c = AsciiLower(c);
        return text;
    }
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

const CardLine* FirstNamed(const std::vector<CardLine>& lines, std::string_view name)
{
    const auto it = std::find_if(lines.begin(), lines.end(), [&](const CardLine& line) {
        return line.name == name || (name == "ANNIVERSARY" && line.name == "X-ANNIVERSARY");
    });
    return it == lines.end() ? nullptr : &*it;
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

void AddSingles(const std::vector<CardLine>& server, const CardFields& serverFields, const CardFields& merged,
                std::vector<CardLine>& out)
{
    for (const auto& [name, single] : merged.singles) {
        const auto there = serverFields.singles.find(name);
        const CardLine* own = FirstNamed(server, name);
        out.push_back(there != serverFields.singles.end() && there->second == single && own ? *own : single.line);
    }
}

// The server's line of the same value with its group's lines, when the tree left that value alone.
std::vector<CardLine> ServerElement(const std::vector<CardLine>& server, const CardLine& property,
                                    std::vector<bool>& taken)
{
    const std::string readable = ReadableValue(property);
    for (std::size_t i = 0; i < server.size(); ++i) {
        if (taken[i] || server[i].name != property.name || ReadableValue(server[i]) != readable)
            continue;
        taken[i] = true;
        std::vector<CardLine> lines{server[i]};
        for (const CardLine& line : server)
            if (!server[i].group.empty() && &line != &server[i] && EqualsNoCase(line.group, server[i].group) &&
                IsTreeHeldLine(line, server))
                lines.push_back(line);
        return lines;
    }
    return {};
}

void AddSets(const std::vector<CardLine>& server, const CardFields& serverFields, const CardFields& merged,
             GroupNames& groups, std::vector<CardLine>& out)
{
    std::vector<bool> taken(server.size(), false);
    for (const auto& [name, elements] : merged.sets) {
        const auto there = serverFields.sets.find(name);
        for (const CardElement& element : elements) {
            std::vector<CardLine> lines;
            if (there != serverFields.sets.end() &&
                std::find(there->second.begin(), there->second.end(), element) != there->second.end())
                lines = ServerElement(server, element.lines.front(), taken);
            if (lines.empty())
                lines = groups.Renamed(element.lines);
            else if (!lines.front().group.empty())
                groups.Use(lines.front().group);
            out.insert(out.end(), lines.begin(), lines.end());
        }
    }
}
} // namespace

std::vector<CardLine> PatchCard(const std::vector<CardLine>& server, const CardFields& serverFields,
                                const CardFields& merged, std::string_view version)
{
    std::vector<CardLine> kept;
    bool kindKept = false;
    for (const CardLine& line : server) {
        if (IsKindLine(line) && SaysOrganization(line) == merged.organization) {
            kept.push_back(line);
            kindKept = kindKept || SaysOrganization(line);
        } else if (!IsTreeHeldLine(line, server) || !TreeTook(line, server, serverFields, merged)) {
            kept.push_back(line);
        }
    }
    GroupNames groups(server);
    std::vector<CardLine> out;
    if (merged.organization && !kindKept)
        out.push_back(version == "3.0" ? PlainLine("X-ABSHOWAS", "COMPANY") : PlainLine("KIND", "org"));
    AddSingles(server, serverFields, merged, out);
    AddSets(server, serverFields, merged, groups, out);
    out.insert(out.end(), kept.begin(), kept.end());
    return out;
}

} // namespace quillary
