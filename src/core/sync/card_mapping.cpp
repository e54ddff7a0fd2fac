// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_mapping.h"

#include "exchange/card_party.h"
#include "exchange/party_vcard.h"
#include "exchange/vcard_file.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/items_reminder.h"
#include "sync/card_categories.h"
#include "sync/card_dates.h"

#include <algorithm>
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
    const std::vector<CardLine> lines = ParseCardLines(card);
    return std::any_of(lines.begin(), lines.end(), MarksOrganization);
}

CardLine KindLine(std::string_view version)
{
    return version == "3.0" ? PlainLine("X-ABSHOWAS", "COMPANY") : PlainLine("KIND", "org");
}

// The lines of a card written in the version, with the mark of an organization.
std::vector<CardLine> LinesOf(const TCard& card, bool organization, std::string_view version)
{
    std::vector<CardLine> lines;
    lines.reserve(static_cast<std::size_t>(card.PropertyCount()) + 1);
    if (organization)
        lines.push_back(KindLine(version));
    for (int i = 0; i < card.PropertyCount(); ++i)
        lines.push_back(card.Properties(i).AsLine(VersionOf(version)));
    return lines;
}

// What a new item of the kind makes of a card: what a fresh one holds, with the card read into it.
CardParty NewItemReading(TCard& card, bool organization)
{
    CardParty fresh;
    fresh.organization = organization;
    return ReadCardParty(card, std::move(fresh));
}

// A birthday or anniversary reminder as it stands: the date it stands for and its present one.
struct StandingDate
{
    std::string title;
    YearlyOrigin began;
    std::string dateText; // the data file's form
};

std::vector<StandingDate> StandingDates(const TPartyObject& party)
{
    std::vector<StandingDate> dates;
    for (int i = 0; i < party.ChildCount(); ++i)
        if (const auto* reminder = dynamic_cast<const TReminderObject*>(party.ChildAt(i)); reminder && HeldByCard(*reminder))
            dates.push_back({reminder->GetTitle(), reminder->Began(), reminder->RecurDate().GetAsText()});
    return dates;
}

// A reminder the card made again for the date it stood for before goes back to the occurrence
// it had reached, so a card brought in neither advances nor takes back what the user did here.
void KeepStandingDates(TPartyObject& party, const std::vector<StandingDate>& dates)
{
    for (int i = 0; i < party.ChildCount(); ++i) {
        auto* reminder = dynamic_cast<TReminderObject*>(party.ChildAt(i));
        if (!reminder)
            continue;
        const auto kept = std::find_if(dates.begin(), dates.end(), [&](const StandingDate& date) {
            return date.title == reminder->GetTitle() && date.began == reminder->Began();
        });
        if (kept != dates.end() && reminder->RecurDate().SetAsText(kept->dateText)) {
            reminder->SetTarget(reminder->RecurDate().GetDateText());
            reminder->UpdateDueState();
        }
    }
}

CardFields FieldsOfParty(const CardParty& party, std::string_view version)
{
    return ReadCardFields(LinesOf(CardOfParty(party, VersionOf(version)), party.organization, version));
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
    replacement.SetCategories(party.GetCategories());
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
    return LinesOf(MakeVCard(party, VersionOf(version)), party.GetKind() == KindOrganization, version);
}

TPartyObject& ApplyCardToItem(TPartyObject& party, std::string_view card, const CategoryNames& slots)
{
    const std::string version = CardTextVersion(card);
    const std::string kept =
        HasYearlyDates(party) ? WithAdvancedDates(card, ReadCardFields(CardOfItem(party, version))) : std::string(card);
    TVCardFile file;
    std::istringstream in{kept};
    file.Read(in);
    if (file.CardCount() == 0)
        return party;
    const std::vector<StandingDate> standing = StandingDates(party);
    ClearCardFacts(party);
    TPartyObject& holder =
        IsOrganizationCard(card) == (party.GetKind() == KindOrganization) ? party : ReplaceKind(party);
    ReadPartyCard(holder, file.Cards(0));
    KeepStandingDates(holder, standing);
    const std::int32_t named = NamedCategoryBits(slots);
    holder.SetCategories((holder.GetCategories() & ~named) | CategoryBitsOf(CardCategoryNames(ParseCardLines(card)), slots));
    return holder;
}

TPartyObject& CreateItemFromCard(TreeNode& parent, std::string_view card, const CategoryNames& slots, std::int32_t id)
{
    auto* party = static_cast<TPartyObject*>(
        CreateItem(IsOrganizationCard(card) ? KindOrganization : KindPerson, "", "", "", parent, "", id));
    ApplyCardToItem(*party, card, slots);
    return *party;
}

CardFields ServerFields(std::string_view card, std::string_view version, const CategoryNames& slots)
{
    const std::vector<CardLine> lines = ParseCardLines(card);
    const bool organization = std::any_of(lines.begin(), lines.end(), MarksOrganization);
    TVCardFile file;
    std::istringstream in{std::string(card)};
    file.Read(in);
    CardParty fresh;
    fresh.organization = organization;
    CardFields fields = file.CardCount() == 0 ? FieldsOfParty(fresh, version)
                                              : FieldsOfParty(NewItemReading(file.Cards(0), organization), version);
    fields.categories = CategoryBitsOf(CardCategoryNames(lines), slots);
    return fields;
}

CardFields LocalFields(const TPartyObject& item, std::string_view version, const CategoryNames& slots)
{
    // The card is read back line by line as the card reader takes its lines: escapes, "tel:" and
    // "mailto:" values and labels read back as they would from the card sent.
    const VCardVersion cardVersion = VersionOf(version);
    TCard card = MakeVCard(item, cardVersion).ReadBack(cardVersion);
    CardFields fields = FieldsOfParty(NewItemReading(card, item.GetKind() == KindOrganization), version);
    fields.categories = item.GetCategories() & NamedCategoryBits(slots);
    return fields;
}

} // namespace quillary
