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
    for (const TPartyObject* party : parties)
        MakeVCard(*party, version).WriteCard(out, version);
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
