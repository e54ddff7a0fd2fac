// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/folder_vcards.h"

#include "common/atomic_file.h"
#include "exchange/party_vcard.h"
#include "model/category_filter.h"
#include "model/items_party.h"
#include "model/tree_walk.h"

namespace quillary {

std::vector<const TPartyObject*> CardParties(TreeNode& node)
{
    std::vector<const TPartyObject*> parties;
    ForEachInSubtree(node, [&](TreeNode& visited) {
        const auto* party = dynamic_cast<const TPartyObject*>(visited.Data());
        if (party && !IsFilteredOut(*party))
            parties.push_back(party);
    });
    return parties;
}

int WriteVCards(const std::vector<const TPartyObject*>& parties, std::ostream& out, VCardVersion version)
{
    // Cards go out a chunk at a time: a stream write per line would cost more than the cards.
    constexpr std::size_t Chunk = 1 << 20;
    std::string text;
    text.reserve(Chunk + (Chunk >> 2));
    for (const TPartyObject* party : parties) {
        MakeVCard(*party, version).AppendCard(text, version);
        if (text.size() >= Chunk) {
            out << text;
            text.clear();
        }
    }
    out << text;
    return static_cast<int>(parties.size());
}

int WriteVCardsFile(TreeNode& node, const std::filesystem::path& file, VCardVersion version)
{
    const std::vector<const TPartyObject*> parties = CardParties(node);
    if (!parties.empty())
        WriteFileAtomically(file, [&](std::ostream& out) { WriteVCards(parties, out, version); });
    return static_cast<int>(parties.size());
}

} // namespace quillary
