// SPDX-License-Identifier: GPL-3.0-or-later
// Persons and organizations as vCards: reading a card into the item and its details, and the
// card the item writes.
#include "exchange/vcard_card.h"
#include "exchange/vcard_file.h"
#include "model/create_item.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/items_party.h"

#include <algorithm>
#include <array>

namespace quillary {

namespace {
constexpr std::string_view WebsiteTitle = "Web URL";
constexpr std::size_t AddressFields = 7; // three lines, city, state, postal code, country

// The address detail line of an ADR property. Each value is made safe as a record field first:
// a "~~" inside a value would otherwise move every field after it.
std::string AddressDetails(const TCardProperty& adr)
{
    std::string line(TypeTag(KindAddress));
    for (std::size_t i = 0; i < AddressFields; ++i) {
        if (i > 0)
            line += FieldSeparator;
        line += CleanFieldText(adr.Value(i));
    }
    return line;
}

// One detail titled by the property's parameters, pointing at its first value; a "PREF"
// parameter makes it the owner's primary of its kind.
void MakeDetail(TPartyObject& owner, TPartyObject::Slot slot, const TCardProperty& property, std::string_view details)
{
    const TKPXObject* detail = CreateItem(TPartyObject::SlotKind(slot), property.ParamDisplayText(), property.Value(0),
                                          "", *owner.GetTreeNode(), details, 0);
    if (property.HasParam(ParamPref))
        owner.SetPrimary(slot, detail->GetTitle());
}
} // namespace

void TPartyObject::ReadVCardDetails(TCard& card)
{
    for (const TCardProperty& adr : card.TakeProperties("ADR"))
        MakeDetail(*this, SlotAddress, adr, AddressDetails(adr));
    for (const TCardProperty& email : card.TakeProperties("EMAIL"))
        MakeDetail(*this, SlotEMail, email, "");
    for (const TCardProperty& tel : card.TakeProperties("TEL"))
        MakeDetail(*this, tel.HasParam(ParamFax) ? SlotFax : SlotPhone, tel, "");
    // Only the first URL makes a website.
    if (const TCardProperty* url = card.FindProperty("URL")) {
        CreateItem(KindWebsite, WebsiteTitle, url->Value(0), "", *GetTreeNode(), "", 0);
        SetPrimary(SlotWebsite, WebsiteTitle);
        card.DeleteProperty(card.IndexOfProperty(url));
    }
}

TCard TPartyObject::MakeVCard() const
{
    TCard card;
    for (const std::string& line : VCardNameLines())
        card.AddLine(line);
    // Only the child a slot finds is preferred: an empty slot finds none, and of children that
    // share the slot's title only the first.
    const std::array<const TKPXObject*, 4> primaries = {PrimaryChild(SlotAddress), PrimaryChild(SlotPhone),
                                                        PrimaryChild(SlotFax), PrimaryChild(SlotEMail)};
    for (int i = 0; i < ChildCount(); ++i) {
        const TKPXObject* child = ChildAt(i);
        const std::string line = child->GetVCardLine();
        if (line.empty())
            continue;
        card.AddLine(line);
        if (std::find(primaries.begin(), primaries.end(), child) != primaries.end())
            card.Properties(card.PropertyCount() - 1).SetParam(ParamPref);
    }
    return card;
}

bool TPartyObject::WriteVCard(const std::filesystem::path& file) const
{
    TVCardFile vcards;
    vcards.Filename = file;
    vcards.AddCard(MakeVCard());
    vcards.Save();
    return true;
}

void TOrgObject::ReadVCard(TCard& card)
{
    if (const TCardProperty* org = card.FindProperty("ORG"))
        SetTitle(org->Value(0));
    ReadVCardDetails(card);
}

std::vector<std::string> TOrgObject::VCardNameLines() const
{
    return {"N:" + GetTitle(), "FN:" + GetTitle(), "ORG:" + GetTitle()};
}

void TPersonObject::ReadVCard(TCard& card)
{
    if (const TCardProperty* n = card.FindProperty("N")) {
        const auto part = [&](std::size_t index, const std::string& current) {
            return index < n->Values.size() ? n->Values[index] : current;
        };
        SetNames(part(3, m_salutation), part(1, m_firstName), part(2, m_middleName), part(0, m_lastName));
    }
    if (const TCardProperty* title = card.FindProperty("TITLE"))
        SetTitle(title->Value(0));
    else if (const TCardProperty* fn = card.FindProperty("FN"))
        SetTitle(fn->Value(0));
    else
        SetTitle(m_firstName + " " + m_lastName);
    SetTarget(m_salutation + " " + m_firstName + " " + m_lastName);
    ReadVCardDetails(card);
}

std::vector<std::string> TPersonObject::VCardNameLines() const
{
    return {"N:" + m_lastName + ";" + m_firstName + ";" + m_middleName + ";" + m_salutation, "FN:" + GetTarget(),
            "TITLE:" + GetTitle()};
}

} // namespace quillary
