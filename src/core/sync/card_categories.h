// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_content_lines.h"
#include "model/category_names.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Cards name their categories (CATEGORIES; a group card its group); the tree keeps them as the
// bits of the slots that carry those names, compared without regard to ASCII case.

// The names a card's CATEGORIES lines give, unescaped and trimmed, each once, in order.
std::vector<std::string> CardCategoryNames(const std::vector<CardLine>& lines);

// The slot (0 to 31) that carries the name, or -1.
int CategorySlot(std::string_view name, const CategoryNames& slots);

// The bits of the slots the names name; a name no slot carries adds none.
std::int32_t CategoryBitsOf(const std::vector<std::string>& names, const CategoryNames& slots);

// The names of the slots whose bits are set, in slot order; slots without a name give none.
std::vector<std::string> CategoryNamesOf(std::int32_t bits, const CategoryNames& slots);

// The bits of the slots that have a name: only those can travel on a card.
std::int32_t NamedCategoryBits(const CategoryNames& slots);

// Gives each name no slot carries a free slot: one without a name or under its first name
// ("User Defined n") whose bit no item carries. The names that found none are returned.
std::vector<std::string> PlaceCategoryNames(const std::vector<std::string>& names, std::int32_t bitsInUse,
                                            CategoryNames& slots);

// The names a run placed taken into the names as they are now: only where a slot is still free
// by name, so a category the user renamed meanwhile keeps the user's name. True when one was taken.
bool TakePlacedCategoryNames(CategoryNames& current, const CategoryNames& placed);

// The lines with their CATEGORIES saying the bits: the card's names in its order (those no slot
// carries stay), then the categories new to it in slot order. One line takes the first one's
// place, group and parameters; with no names, none.
std::vector<CardLine> WithCategoryLine(const std::vector<CardLine>& lines, std::int32_t bits,
                                       const CategoryNames& slots);

} // namespace quillary
