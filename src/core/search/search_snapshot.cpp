// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_snapshot.h"

#include "model/item_kind.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "model/tree_node.h"
#include "model/tree_walk.h"

namespace quillary {

namespace {

void Add(SearchItem& item, SearchField field, std::string_view value)
{
    if (!value.empty())
        item.values.push_back({field, std::string(value)});
}

void AddPersonFields(SearchItem& item, const TPersonObject& person)
{
    Add(item, SearchField::Salutation, person.Salutation());
    Add(item, SearchField::FirstName, person.FirstName());
    Add(item, SearchField::MiddleName, person.MiddleName());
    Add(item, SearchField::LastName, person.LastName());
    Add(item, SearchField::Company, person.Company());
    Add(item, SearchField::JobTitle, person.JobTitle());
}

void AddAddress(SearchItem& item, const TAddressObject& address)
{
    for (const std::string& line : address.Lines())
        Add(item, SearchField::Address, line);
    Add(item, SearchField::City, address.City());
    Add(item, SearchField::State, address.State());
    Add(item, SearchField::PostalCode, address.PostCode());
    Add(item, SearchField::Country, address.Country());
}

void AddDetail(SearchItem& item, const TKPXObject& detail)
{
    switch (detail.GetKind()) {
    case KindPhone: Add(item, SearchField::Phone, detail.GetTarget()); break;
    case KindFax: Add(item, SearchField::Fax, detail.GetTarget()); break;
    case KindEMail: Add(item, SearchField::EMail, detail.GetTarget()); break;
    case KindReminder: Add(item, SearchField::Reminder, detail.GetTitle()); break;
    case KindAddress: AddAddress(item, static_cast<const TAddressObject&>(detail)); break;
    default: return; // documents and tools are no part of a contact's card
    }
    Add(item, SearchField::Comment, detail.GetComment());
}

// The websites below the party's node, and theirs below them.
void AddWebsites(SearchItem& item, const TreeNode& node)
{
    std::vector<const TreeNode*> pending{&node};
    while (!pending.empty()) {
        const TreeNode* below = pending.back();
        pending.pop_back();
        for (int i = below->ChildCount() - 1; i >= 0; --i) {
            const TreeNode* child = below->ChildAt(i);
            if (child->Data()->GetKind() == KindWebsite)
                pending.push_back(child);
        }
        if (below == &node)
            continue;
        Add(item, SearchField::Website, below->Data()->GetTarget());
        Add(item, SearchField::Comment, below->Data()->GetComment());
    }
}

void AddCategories(SearchItem& item, std::int32_t bits, const CategoryNames& names)
{
    for (int n = 0; n < CategoryCount; ++n)
        if ((static_cast<std::uint32_t>(bits) >> n) & 1U)
            Add(item, SearchField::Category, names[static_cast<std::size_t>(n)]);
}

const TPartyObject* AsParty(const TKPXObject& item)
{
    const int kind = item.GetKind();
    return kind == KindPerson || kind == KindOrganization ? dynamic_cast<const TPartyObject*>(&item) : nullptr;
}

} // namespace

SearchItem SearchItemOf(const TPartyObject& party, const CategoryNames& categories)
{
    SearchItem item{&party, party.GetID(), {{SearchField::Title, std::string(party.GetTitle())}}};
    if (const auto* person = dynamic_cast<const TPersonObject*>(&party))
        AddPersonFields(item, *person);
    for (int i = 0; i < party.ChildCount(); ++i)
        AddDetail(item, *party.ChildAt(i));
    if (const TreeNode* node = party.GetTreeNode())
        AddWebsites(item, *node);
    Add(item, SearchField::Comment, party.GetComment());
    AddCategories(item, party.GetCategories(), categories);
    return item;
}

std::vector<SearchItem> SearchSnapshot(TreeNode& start, const CategoryNames& categories)
{
    std::vector<SearchItem> items;
    ForEachInSubtree(start, [&](TreeNode& node) {
        if (const TPartyObject* party = AsParty(*node.Data()))
            items.push_back(SearchItemOf(*party, categories));
    });
    return items;
}

const TPartyObject* SearchOwner(const TKPXObject& item)
{
    const TreeNode* node = item.GetTreeNode();
    if (!node)
        return nullptr;
    // A detail's node is its owner's; a website's is its own, below its owner's.
    while (node->Data()->GetKind() == KindWebsite && node->Parent())
        node = node->Parent();
    return AsParty(*node->Data());
}

} // namespace quillary
