// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as three cards a run meets (the agreed one, one written here, the server's, cut
// apart at form feeds): what is taken passes the card budget, is read, merged three ways and
// patched into the server's card, all in memory proportional to the cards, and what the sync
// state keeps of the patched card reads as the same fields.
#include "sync/card_budget.h"
#include "sync/card_mapping.h"
#include "sync/card_merge.h"
#include "sync/card_patch.h"
#include "sync/held_values.h"

#include "memory_bound.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quillary;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::array<std::string, 3> cards;
    std::size_t start = 0;
    for (std::string& card : cards) {
        const std::size_t end = std::min(input.find('\f', start), input.size());
        card = std::string(input.substr(std::min(start, input.size()), end - std::min(start, input.size())));
        start = end + 1;
    }
    for (const std::string& card : cards)
        if (!CardRefusal(card).empty())
            return 0;
    const fuzz::MemoryBound bound;
    {
        const CardFields base = ServerFields(cards[0], "4.0", {});
        const CardFields local = ServerFields(cards[1], "4.0", {});
        const CardFields server = ServerFields(cards[2], "4.0", {});
        const CardMerge merge = MergeCardFields(base, local, server);
        const std::string patched = WriteCardText(PatchCard(ParseCardLines(cards[2]), server, merge.fields, "4.0", {}), "4.0");
        // What the state keeps of a card stands for the same fields.
        if (ServerFields(CardWithValuesHeld(patched), "4.0", {}) != ServerFields(patched, "4.0", {}))
            __builtin_trap();
    }
    bound.Check(size, 400, 4 << 20);
    return 0;
}
