// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_mapping.h"

#include "exchange/party_vcard.h"
#include "exchange/vcard_file.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/card_dates.h"

#include <sstream>

namespace quillary {

namespace {
VCardVersion VersionOf(std::string_view version)
{
    return version == "3.0" ? VCardVersion::V30 : VCardVersion::V40;
}

bool HeldByCard(const TKPXObject& child)
{
    switch (child.GetKind()) {
    case KindAddress:
    case KindPhone:
    case KindFax:
    case KindEMail:
        return true;
    case KindReminder:
        return child.GetTitle() == "Birthday" || child.GetTitle() == "Anniversary";
    default:
        return false;
    }
}

// Takes away what a card will give again. A website's own child nodes move up to the item, so
// nothing beneath a website is lost with it.
void ClearCardFacts(TPartyObject& party)
{
    for (int i = party.ChildCount() - 1; i >= 0; --i)
        if (HeldByCard(*party.ChildAt(i)))
            party.DeleteChild(party.ChildAt(i));
    TreeNode& node = *party.GetTreeNode();
    ItemTree& tree = node.Tree();
    for (int i = node.ChildCount() - 1; i >= 0; --i) {
        TreeNode& child = *node.ChildAt(i);
        if (child.Data()->GetKind() != KindWebsite)
            continue;
        while (child.HasChildren())
            tree.MoveNodeWithMarks(*child.FirstChild(), node);
        DestroyItem(*child.Data());
    }
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        party.SetPrimary(static_cast<TPartyObject::Slot>(slot), "");
    party.SetComment("");
    if (auto* person = dynamic_cast<TPersonObject*>(&party))
        person->SetNames("", "", "", "");
}

// Whether the item has a birthday or an anniversary a card could take back.
bool HasYearlyDates(const TPartyObject& party)
{
    for (int i = 0; i < party.ChildCount(); ++i)
        if (party.ChildAt(i)->GetKind() == KindReminder && HeldByCard(*party.ChildAt(i)))
            return true;
    return false;
}

bool IsOrganizationCard(std::string_view card)
{
    return ReadCardFields(ParseCardLines(card)).organization;
}

// A new item of the other kind in party's place (the folder is sorted later, as for new items),
// holding what no card holds; party goes.
TPartyObject& ReplaceKind(TPartyObject& party)
{
    TreeNode& node = *party.GetTreeNode();
    ItemTree& tree = node.Tree();
    const int kind = party.GetKind() == KindOrganization ? KindPerson : KindOrganization;
    auto& replacement = static_cast<TPartyObject&>(
        *CreateItem(kind, party.GetTitle(), party.GetTarget(), "", *node.Parent(), "", party.GetID()));
    TreeNode& newNode = *replacement.GetTreeNode();
    while (node.HasChildren())
        tree.MoveNodeWithMarks(*node.FirstChild(), newNode);
    while (party.HasChildren()) {
        TKPXObject* child = party.ChildAt(0);
        replacement.AddChild(party.DetachChild(child));
        child->SetTreeNode(&newNode); // moves a due reminder's marker too
    }
    DestroyItem(party);
    return replacement;
}
} // namespace

std::string ItemCardText(const TPartyObject& party, std::string_view version)
{
    std::string text;
    MakeVCard(party, VersionOf(version)).AppendCard(text, VersionOf(version));
    return text;
}

std::vector<CardLine> CardOfItem(const TPartyObject& party, std::string_view version)
{
    std::vector<CardLine> lines = ParseCardLines(ItemCardText(party, version));
    if (party.GetKind() == KindOrganization)
        lines.insert(lines.begin(), version == "3.0" ? PlainLine("X-ABSHOWAS", "COMPANY") : PlainLine("KIND", "org"));
    return lines;
}

TPartyObject& ApplyCardToItem(TPartyObject& party, std::string_view card)
{
    const std::string version = CardTextVersion(card);
    const std::string kept =
        HasYearlyDates(party) ? WithAdvancedDates(card, ReadCardFields(CardOfItem(party, version))) : std::string(card);
    TVCardFile file;
    std::istringstream in{kept};
    file.Read(in);
    if (file.CardCount() == 0)
        return party;
    ClearCardFacts(party);
    TPartyObject& holder =
        IsOrganizationCard(card) == (party.GetKind() == KindOrganization) ? party : ReplaceKind(party);
    ReadPartyCard(holder, file.Cards(0));
    return holder;
}

TPartyObject& CreateItemFromCard(TreeNode& parent, std::string_view card, std::int32_t id)
{
    auto* party = static_cast<TPartyObject*>(
        CreateItem(IsOrganizationCard(card) ? KindOrganization : KindPerson, "", "", "", parent, "", id));
    ApplyCardToItem(*party, card);
    return *party;
}

CardProjector::CardProjector(std::string version)
    : m_version(std::move(version)), m_scratch(std::make_unique<ItemTree>())
{
}

CardProjector::~CardProjector() = default;

CardFields CardProjector::Project(std::string_view card)
{
    TPartyObject& party = CreateItemFromCard(m_scratch->Root(), card);
    CardFields fields = ReadCardFields(CardOfItem(party, m_version));
    DestroyItem(party);
    return fields;
}

} // namespace quillary
