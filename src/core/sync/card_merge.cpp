// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_merge.h"

#include <algorithm>
#include <map>
#include <optional>

namespace quillary {

namespace {
constexpr std::string_view ConflictTag = "[Conflict]";

using Single = std::optional<CardSingle>;

Single Find(const CardFields& fields, const std::string& name)
{
    const auto it = fields.singles.find(name);
    return it == fields.singles.end() ? Single() : Single(it->second);
}

bool Same(const Single& a, const Single& b)
{
    return a.has_value() == b.has_value() && (!a || a->value == b->value);
}

std::string_view FieldWords(std::string_view name)
{
    static const std::map<std::string_view, std::string_view> words = {{"N", "name"},
                                                                       {"FN", "formatted name"},
                                                                       {"ORG", "organization"},
                                                                       {"TITLE", "title"},
                                                                       {"NOTE", "note"},
                                                                       {"BDAY", "birthday"},
                                                                       {"ANNIVERSARY", "anniversary"},
                                                                       {"TEL", "phone"},
                                                                       {"EMAIL", "e-mail"},
                                                                       {"ADR", "address"},
                                                                       {"URL", "website"}};
    const auto it = words.find(name);
    return it == words.end() ? name : it->second;
}

// The note with the server's value of a field added after a marker, unless it is there already.
void AddToNote(CardFields& merged, std::string_view field, const Single& server)
{
    const std::string marker = ConflictMarker(field, server ? ReadableValue(server->line) : std::string());
    const std::string escaped = EscapeCardText(marker);
    CardSingle& note = merged.singles["NOTE"];
    if (note.line.name.empty())
        note.line.name = "NOTE";
    if (note.value.find(escaped) != std::string::npos)
        return;
    note.value += note.value.empty() ? escaped : " " + escaped;
    note.line.value = note.value;
}

// A note that is the other one with conflict markers added is the later of the two.
bool ExtendsWithMarker(const Single& longer, const Single& shorter)
{
    if (!longer || !shorter || longer->value.size() <= shorter->value.size())
        return false;
    const std::string_view rest = std::string_view(longer->value).substr(shorter->value.size());
    return longer->value.compare(0, shorter->value.size(), shorter->value) == 0 &&
           rest.find(ConflictTag) != std::string_view::npos;
}

struct SingleChoice
{
    Single value;
    bool conflict = false;
};

SingleChoice ChooseSingle(const std::string& name, const Single& base, const Single& local, const Single& remote)
{
    if (Same(local, base) || Same(local, remote))
        return {remote};
    if (Same(remote, base))
        return {local};
    if (name == "NOTE" && ExtendsWithMarker(remote, local))
        return {remote};
    if (name == "NOTE" && ExtendsWithMarker(local, remote))
        return {local};
    return {local, true};
}

void MergeSingles(const CardFields& base, const CardFields& local, const CardFields& remote, CardMerge& merge)
{
    std::vector<std::pair<std::string, Single>> kept;
    for (const std::string_view view : CardSingleNames()) {
        const std::string name(view);
        const Single server = Find(remote, name);
        SingleChoice choice = ChooseSingle(name, Find(base, name), Find(local, name), server);
        if (choice.value)
            merge.fields.singles[name] = *choice.value;
        if (choice.conflict)
            kept.emplace_back(name, server);
    }
    // The note is settled first, so that the server's values join the note that stays.
    for (const auto& [name, server] : kept) {
        merge.conflicts.push_back(name);
        AddToNote(merge.fields, FieldWords(name), server);
    }
}

bool Contains(const std::vector<CardElement>& elements, const CardElement& element)
{
    return std::find(elements.begin(), elements.end(), element) != elements.end();
}

const std::vector<CardElement>& SetOf(const CardFields& fields, const std::string& name)
{
    static const std::vector<CardElement> none;
    const auto it = fields.sets.find(name);
    return it == fields.sets.end() ? none : it->second;
}

// Both sides took away the same value and put different ones in its place.
bool BothReplaced(const std::vector<CardElement>& base, const std::vector<CardElement>& local,
                  const std::vector<CardElement>& remote)
{
    const bool removedOnBoth = std::any_of(base.begin(), base.end(), [&](const CardElement& element) {
        return !Contains(local, element) && !Contains(remote, element);
    });
    const auto added = [&](const std::vector<CardElement>& side) {
        std::vector<CardElement> result;
        std::copy_if(side.begin(), side.end(), std::back_inserter(result),
                     [&](const CardElement& element) { return !Contains(base, element); });
        return result;
    };
    const auto addedHere = added(local);
    const auto addedThere = added(remote);
    return removedOnBoth && !addedHere.empty() && !addedThere.empty() && addedHere != addedThere;
}

void MergeSets(const CardFields& base, const CardFields& local, const CardFields& remote, CardMerge& merge)
{
    for (const std::string_view view : CardSetNames()) {
        const std::string name(view);
        const auto& b = SetOf(base, name);
        const auto& l = SetOf(local, name);
        const auto& r = SetOf(remote, name);
        std::vector<CardElement> result;
        for (const CardElement& element : l)
            if ((Contains(r, element) || !Contains(b, element)) && !Contains(result, element))
                result.push_back(element);
        for (const CardElement& element : r)
            if (!Contains(b, element) && !Contains(result, element))
                result.push_back(element);
        if (BothReplaced(b, l, r))
            merge.conflicts.push_back(name);
        if (!result.empty())
            merge.fields.sets[name] = std::move(result);
    }
}
} // namespace

std::string ConflictMarker(std::string_view field, std::string_view serverValue)
{
    return std::string(ConflictTag) + " the server's " + std::string(field) + ": " + std::string(serverValue);
}

CardMerge MergeCardFields(const CardFields& base, const CardFields& local, const CardFields& remote)
{
    CardMerge merge;
    // A kind changed on one side goes both ways; the two sides cannot change it differently.
    merge.fields.organization = local.organization != base.organization ? local.organization : remote.organization;
    // Category by category: the side that changed one decides it.
    const std::int32_t changedHere = local.categories ^ base.categories;
    merge.fields.categories = (local.categories & changedHere) | (remote.categories & ~changedHere);
    MergeSingles(base, local, remote, merge);
    MergeSets(base, local, remote, merge);
    return merge;
}

} // namespace quillary
