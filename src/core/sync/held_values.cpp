// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/held_values.h"

#include "common/sha256.h"
#include "common/utf8_text.h"
#include "sync/card_fields.h"
#include "exchange/vcard_content_lines.h"

#include <vector>

namespace quillary {

namespace {
constexpr std::string_view Reference = "quillary-held:sha256:";
} // namespace

std::string CardWithValuesHeld(std::string_view card)
{
    // A card that is not UTF-8 is read in another encoding as a whole: without its large values
    // it could read otherwise, so it is kept whole.
    if (card.size() <= MaxKeptValueBytes || !IsUtf8(card))
        return std::string(card);
    std::vector<CardLine> lines = ParseCardLines(card);
    std::vector<std::size_t> held;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].value.size() > MaxKeptValueBytes && !IsTreeHeldLine(lines[i], lines))
            held.push_back(i);
    if (held.empty())
        return std::string(card);
    for (const std::size_t i : held)
        lines[i].value = std::string(Reference) + Sha256Hex(lines[i].value) + ":" + std::to_string(lines[i].value.size());
    const std::string version = CardTextVersion(card);
    return WriteCardText(lines, version.empty() ? "3.0" : version);
}

bool HoldsValues(std::string_view keptCard)
{
    return keptCard.find(Reference) != std::string_view::npos;
}

} // namespace quillary
