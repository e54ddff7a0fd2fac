// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_categories.h"

#include "common/ascii_case.h"
#include "common/blank_trim.h"

#include <algorithm>

namespace quillary {

namespace {
bool IsCategoriesLine(const CardLine& line)
{
    return EqualsNoCase(line.name, "CATEGORIES");
}

// A text list: values divided by commas that no backslash escapes.
std::vector<std::string> ListValues(std::string_view value)
{
    std::vector<std::string> values;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= value.size(); ++i) {
        if (i < value.size() && value[i] == '\\') {
            ++i;
            continue;
        }
        if (i == value.size() || value[i] == ',') {
            values.push_back(UnescapeCardText(value.substr(start, i - start)));
            start = i + 1;
        }
    }
    return values;
}

bool Listed(const std::vector<std::string>& names, std::string_view name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return EqualsNoCase(n, name); });
}

bool FreeByName(const CategoryNames& slots, std::size_t slot)
{
    return slots[slot].empty() || slots[slot] == "User Defined " + std::to_string(slot + 1);
}

bool IsFree(const CategoryNames& slots, std::size_t slot, std::int32_t bitsInUse)
{
    return FreeByName(slots, slot) && (bitsInUse & (std::int32_t{1} << slot)) == 0;
}
} // namespace

std::vector<std::string> CardCategoryNames(const std::vector<CardLine>& lines)
{
    std::vector<std::string> names;
    for (const CardLine& line : lines) {
        if (!IsCategoriesLine(line))
            continue;
        for (const std::string& value : ListValues(line.value)) {
            const std::string name(TrimBlanks(value));
            if (!name.empty() && !Listed(names, name))
                names.push_back(name);
        }
    }
    return names;
}

int CategorySlot(std::string_view name, const CategoryNames& slots)
{
    const std::string_view trimmed = TrimBlanks(name);
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        if (!trimmed.empty() && EqualsNoCase(TrimBlanks(slots[slot]), trimmed))
            return static_cast<int>(slot);
    return -1;
}

std::int32_t CategoryBitsOf(const std::vector<std::string>& names, const CategoryNames& slots)
{
    std::uint32_t bits = 0;
    for (const std::string& name : names)
        if (const int slot = CategorySlot(name, slots); slot >= 0)
            bits |= std::uint32_t{1} << slot;
    return static_cast<std::int32_t>(bits);
}

std::vector<std::string> CategoryNamesOf(std::int32_t bits, const CategoryNames& slots)
{
    std::vector<std::string> names;
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        if ((static_cast<std::uint32_t>(bits) >> slot & 1U) != 0 && !TrimBlanks(slots[slot]).empty())
            names.emplace_back(TrimBlanks(slots[slot]));
    return names;
}

std::int32_t NamedCategoryBits(const CategoryNames& slots)
{
    std::uint32_t bits = 0;
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        if (!TrimBlanks(slots[slot]).empty())
            bits |= std::uint32_t{1} << slot;
    return static_cast<std::int32_t>(bits);
}

std::vector<std::string> PlaceCategoryNames(const std::vector<std::string>& names, std::int32_t bitsInUse,
                                            CategoryNames& slots)
{
    std::vector<std::string> unplaced;
    std::size_t next = 0;
    for (const std::string& name : names) {
        if (CategorySlot(name, slots) >= 0 || TrimBlanks(name).empty())
            continue;
        while (next < slots.size() && !IsFree(slots, next, bitsInUse))
            ++next;
        if (next == slots.size()) {
            if (!Listed(unplaced, name))
                unplaced.push_back(name);
            continue;
        }
        slots[next++] = std::string(TrimBlanks(name));
    }
    return unplaced;
}

bool TakePlacedCategoryNames(CategoryNames& current, const CategoryNames& placed)
{
    bool taken = false;
    for (std::size_t slot = 0; slot < current.size(); ++slot) {
        if (placed[slot] != current[slot] && !FreeByName(placed, slot) && FreeByName(current, slot)) {
            current[slot] = placed[slot];
            taken = true;
        }
    }
    return taken;
}

std::vector<CardLine> WithCategoryLine(const std::vector<CardLine>& lines, std::int32_t bits,
                                       const CategoryNames& slots)
{
    // The card's names keep their order: those no slot carries and those still set stay, the
    // categories new to the card follow.
    std::vector<std::string> names;
    std::uint32_t written = 0;
    for (const std::string& name : CardCategoryNames(lines)) {
        const int slot = CategorySlot(name, slots);
        if (slot < 0 || (static_cast<std::uint32_t>(bits) >> slot & 1U) != 0)
            names.push_back(name);
        if (slot >= 0)
            written |= std::uint32_t{1} << slot;
    }
    for (std::string& name : CategoryNamesOf(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits) & ~written), slots))
        names.push_back(std::move(name));
    std::string value;
    for (const std::string& name : names)
        value += (value.empty() ? "" : ",") + EscapeCardText(name);
    std::vector<CardLine> out;
    bool placed = false;
    for (const CardLine& line : lines) {
        if (!IsCategoriesLine(line)) {
            out.push_back(line);
            continue;
        }
        if (!placed && !value.empty()) {
            CardLine kept = line;
            kept.value = value;
            out.push_back(std::move(kept));
        }
        placed = true;
    }
    if (!placed && !value.empty())
        out.push_back(PlainLine("CATEGORIES", value));
    return out;
}

} // namespace quillary
