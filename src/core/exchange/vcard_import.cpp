// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_import.h"

#include "exchange/vcard_file.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"

namespace quillary {

namespace {
// Prefix, given name, middle name and family name from N, each present part but the last
// followed by a blank; "New" without N.
std::string DisplayName(const TCard& card)
{
    const TCardProperty* n = card.FindProperty("N");
    if (!n)
        return "New";
    std::string name;
    for (const std::size_t index : {3, 1, 2})
        if (index < n->Values.size())
            name.append(n->Values[index]).append(" ");
    return name.append(n->Value(0));
}

int KindOf(const TCard& card, OrgCardQuestion& question)
{
    const TCardProperty* org = card.FindProperty("ORG");
    if (org && question.ImportAsOrganization(DisplayName(card), org->Value(0)))
        return KindOrganization;
    return KindPerson;
}

ImportCounts ImportCards(TVCardFile& cards, TreeNode& destination, OrgCardQuestion& question,
                         const ProgressFn& progress)
{
    TreeUpdateGuard update(destination.Tree());
    // Every card renames a new child of the destination: sort it once, at the end.
    DeferredSort sort(destination.Tree(), destination);
    ImportCounts counts;
    const auto total = static_cast<std::uint64_t>(cards.CardCount());
    for (int i = 0; i < cards.CardCount(); ++i) {
        TCard& card = cards.Cards(i);
        auto* item = static_cast<TPartyObject*>(CreateItem(KindOf(card, question), "", "", "", destination, "", 0));
        item->ReadVCard(card);
        ++counts.made;
        if (progress && !progress(static_cast<std::uint64_t>(i) + 1, total))
            break;
    }
    return counts;
}
} // namespace

ImportCounts ImportVCardFile(const std::filesystem::path& file, TreeNode& destination, OrgCardQuestion& question,
                             const ProgressFn& progress)
{
    TVCardFile cards;
    cards.Filename = file;
    cards.Load();
    return ImportCards(cards, destination, question, progress);
}

ImportCounts ImportVCardFile(std::istream& in, TreeNode& destination, OrgCardQuestion& question,
                             const ProgressFn& progress)
{
    TVCardFile cards;
    cards.Read(in);
    return ImportCards(cards, destination, question, progress);
}

} // namespace quillary
