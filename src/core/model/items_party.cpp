// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items_party.h"

#include "links/web_link.h"
#include "model/create_item.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"

#include <algorithm>

namespace quillary {

namespace {
std::vector<std::string> PaddedLines(std::vector<std::string> lines)
{
    while (lines.size() < 3)
        lines.emplace_back();
    return lines;
}
} // namespace

TPartyObject::TPartyObject(ItemTree& tree, int kind, std::int32_t id) : TKPXObject(tree, kind, id) {}

int TPartyObject::SlotKind(Slot slot)
{
    static constexpr int Kinds[SlotCount] = {KindAddress, KindPhone, KindFax, KindEMail, KindWebsite};
    return Kinds[slot];
}

std::string_view TPartyObject::RowPrimaryTitle(Slot slot)
{
    static constexpr std::string_view Titles[SlotCount] = {"Primary Address", "Primary Phone", "Primary Fax",
                                                           "Primary EMail", "Primary Website"};
    return Titles[slot];
}

void TPartyObject::SetPrimary(Slot slot, std::string_view title)
{
    SetOwnText(SlotText(slot), title);
}

void TPartyObject::SetCommentAndPrimaries(std::string_view comment, const std::array<std::string, SlotCount>& primary)
{
    ChangeTexts(CommentText, {comment, primary[0], primary[1], primary[2], primary[3], primary[4]});
}

std::array<TextView, TPartyObject::SlotCount> TPartyObject::Slots() const
{
    const auto texts = OwnTexts();
    std::array<TextView, SlotCount> slots;
    std::copy_n(texts.begin() + SlotText(0), SlotCount, slots.begin());
    return slots;
}

TKPXObject* TPartyObject::PrimaryChild(Slot slot) const
{
    return FindChild(Primary(slot), SlotKind(slot));
}

PopupEntries TPartyObject::SetupPopup() const
{
    PopupEntries entries;
    entries.set(PopupOpen);
    entries.set(PopupSendMail, !Primary(SlotEMail).empty());
    entries.set(PopupSendFax, !Primary(SlotFax).empty());
    entries.set(PopupDial, !Primary(SlotPhone).empty());
    entries.set(PopupBrowse, !Primary(SlotWebsite).empty());
    return entries;
}

void TPartyObject::SendMail(const std::string& attachment)
{
    if (auto* email = dynamic_cast<TEMailObject*>(PrimaryChild(SlotEMail)))
        email->SendMail(attachment);
}

void TPartyObject::SendFax(const std::string& document)
{
    if (auto* fax = dynamic_cast<TFaxObject*>(PrimaryChild(SlotFax)))
        fax->SendFax(document);
}

int TPartyObject::Dial()
{
    auto* phone = dynamic_cast<TPhoneObject*>(PrimaryChild(SlotPhone));
    return phone ? phone->Dial() : 0;
}

void TPartyObject::Browse()
{
    if (auto* web = dynamic_cast<TWebObject*>(PrimaryChild(SlotWebsite)))
        web->Browse();
}

bool TPartyObject::EditNew(TreeNode&)
{
    PartyForm form = NewForm();
    if (!Services().dialogs->EditParty(*this, form, EditMode::New))
        return false;
    ApplyForm(form, EditMode::New);
    return true;
}

void TPartyObject::EditProperties()
{
    PartyForm form = FormFromItem();
    if (Services().dialogs->EditParty(*this, form, EditMode::Properties))
        ApplyForm(form, EditMode::Properties);
}

PartyForm TPartyObject::NewForm() const
{
    PartyForm form;
    form.title = GetTitle();
    form.address.title = "Primary Address";
    form.phone.title = "Primary Phone";
    form.fax.title = "Primary FAX";
    form.email.title = "Primary E-Mail";
    form.website.title = "Primary Website";
    form.website.url = "http://";
    return form;
}

PartyForm TPartyObject::FormFromItem() const
{
    PartyForm form;
    form.title = GetTitle();
    form.comment = GetComment();
    FillNames(form);
    if (!HasChildren())
        return form;
    form.address.title = Primary(SlotAddress);
    form.phone.title = Primary(SlotPhone);
    form.fax.title = Primary(SlotFax);
    form.email.title = Primary(SlotEMail);
    form.website.title = Primary(SlotWebsite);
    for (int slot = 0; slot < SlotCount; ++slot)
        LoadSection(static_cast<Slot>(slot), form);
    return form;
}

void TPartyObject::LoadSection(Slot slot, PartyForm& form) const
{
    switch (slot) {
    case SlotAddress:
        if (auto* a = dynamic_cast<const TAddressObject*>(FindChild(form.address.title, KindAddress)))
            form.address = a->ToForm();
        break;
    case SlotPhone:
        if (auto* p = dynamic_cast<const TPhoneObject*>(FindChild(form.phone.title, KindPhone)))
            form.phone = {p->GetTitle(), p->GetTarget(), p->GetTarget(), p->Extension(), p->GetComment()};
        break;
    case SlotFax:
        if (auto* f = FindChild(form.fax.title, KindFax))
            form.fax = {f->GetTitle(), f->GetTarget(), f->GetTarget(), f->GetComment()};
        break;
    case SlotEMail:
        if (auto* e = FindChild(form.email.title, KindEMail))
            form.email = {e->GetTitle(), e->GetTarget(), e->GetComment()};
        break;
    case SlotWebsite:
        if (auto* w = FindChild(form.website.title, KindWebsite))
            form.website = {w->GetTitle(), w->GetTarget(), w->GetComment()};
        break;
    case SlotCount:
        break;
    }
}

std::vector<std::string> TPartyObject::SectionTitles(Slot slot) const
{
    std::vector<std::string> titles;
    const int kind = SlotKind(slot);
    for (int i = 0; i < ChildCount(); ++i)
        if (ChildAt(i)->GetKind() == kind)
            titles.push_back(ChildAt(i)->GetTitle());
    if (kind == KindWebsite && GetTreeNode()) {
        for (int i = 0; i < GetTreeNode()->ChildCount(); ++i) {
            const TKPXObject* item = GetTreeNode()->ChildAt(i)->Data();
            if (item && item->GetKind() == kind)
                titles.push_back(item->GetTitle());
        }
    }
    return titles;
}

void TPartyObject::ApplyForm(const PartyForm& form, EditMode mode)
{
    Tree().MarkChanged(); // the names and details have no setters that count
    ApplyNames(form);
    SetTitle(form.title);
    SetComment(form.comment);
    ApplyAddress(form.address, mode);
    ApplyPhone(form.phone);
    ApplyFax(form.fax);
    ApplyEMail(form.email);
    ApplyWebsite(form.website);
    if (GetTreeNode())
        Tree().SetNodeText(*GetTreeNode(), GetTitle());
}

void TPartyObject::ApplyAddress(const AddressForm& section, EditMode mode)
{
    if (section.title.empty() || (mode == EditMode::New && !HasAddressText(section.lines)))
        return;
    const std::vector<std::string> lines = PaddedLines(section.lines);
    auto* address = dynamic_cast<TAddressObject*>(FindChild(section.title, KindAddress));
    if (!address)
        address = static_cast<TAddressObject*>(
            CreateItem(KindAddress, section.title, lines.front(), section.comment, *GetTreeNode(), "", 0));
    address->SetAddress(lines, section.city, section.state, section.postCode, section.country);
    address->SetTarget(lines.front());
    address->SetComment(section.comment);
    SetPrimary(SlotAddress, section.title);
}

void TPartyObject::ApplyPhone(const PhoneForm& section)
{
    if (section.title.empty() || section.plainNumber.empty())
        return;
    auto* phone = dynamic_cast<TPhoneObject*>(FindChild(section.title, KindPhone));
    if (!phone)
        phone = static_cast<TPhoneObject*>(
            CreateItem(KindPhone, section.title, section.number, section.comment, *GetTreeNode(), "", 0));
    phone->SetTarget(section.number);
    phone->SetComment(section.comment);
    phone->SetExtension(section.extension);
    SetPrimary(SlotPhone, section.title);
}

void TPartyObject::ApplyFax(const FaxForm& section)
{
    if (section.title.empty() || section.plainNumber.empty())
        return;
    TKPXObject* fax = FindChild(section.title, KindFax);
    if (!fax)
        fax = CreateItem(KindFax, section.title, section.number, section.comment, *GetTreeNode(), "", 0);
    fax->SetTarget(section.number);
    fax->SetComment(section.comment);
    SetPrimary(SlotFax, section.title);
}

void TPartyObject::ApplyEMail(const EMailForm& section)
{
    if (section.title.empty() || section.address.empty())
        return;
    TKPXObject* email = FindChild(section.title, KindEMail);
    if (!email)
        email = CreateItem(KindEMail, section.title, section.address, section.comment, *GetTreeNode(), "", 0);
    email->SetTarget(section.address);
    email->SetComment(section.comment);
    SetPrimary(SlotEMail, section.title);
}

void TPartyObject::ApplyWebsite(const WebsiteForm& section)
{
    if (section.title.empty() || !IsURL(section.url))
        return;
    TKPXObject* web = FindChild(section.title, KindWebsite);
    if (!web)
        web = CreateItem(KindWebsite, section.title, section.url, section.comment, *GetTreeNode(), "", 0);
    web->SetTarget(section.url);
    web->SetComment(section.comment);
    SetPrimary(SlotWebsite, section.title);
}

// ---- organization

TOrgObject::TOrgObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                       std::int32_t id, std::string_view details)
    : TPartyObject(tree, KindOrganization, id)
{
    ReadDetails({title, target, comment}, details);
}

void TOrgObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    DetailFields fields;
    if (SplitDetails(line, TypeTag(KindOrganization), fields)) {
        SetRecordTexts(head, fields, SlotText(0), {fields.At(0), fields.At(1), fields.At(2), fields.At(3), fields.At(4)});
        ReadCategories(fields, SlotCount);
    } else {
        SetRecordTexts(head);
    }
}

void TOrgObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    const auto s = Slots();
    AppendDetailLine(out, TypeTag(KindOrganization), {s[0], s[1], s[2], s[3], s[4], CategoriesText()});
}

// ---- person

TPersonObject::TPersonObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                             std::int32_t id, std::string_view details)
    : TPartyObject(tree, KindPerson, id)
{
    ReadDetails({title, target, comment}, details);
}

void TPersonObject::SetNames(std::string_view salutation, std::string_view first, std::string_view middle,
                             std::string_view last)
{
    SetOwnTexts(SalutationText, {salutation, first, middle, last});
}

void TPersonObject::SetWorkFields(std::string_view company, std::string_view jobTitle, std::string_view suffix)
{
    SetOwnTexts(CompanyText, {company, jobTitle, suffix});
}

void TPersonObject::SetAllTexts(const AllTexts& texts)
{
    // Title, target, comment, slots, names and work fields lie side by side: one setting stores them.
    const auto& primary = texts.primary;
    SetTitleAndTexts({texts.title, texts.target, texts.comment, primary[0], primary[1], primary[2], primary[3],
                      primary[4], texts.salutation, texts.first, texts.middle, texts.last, texts.company,
                      texts.jobTitle, texts.suffix});
}

void TPersonObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    constexpr std::size_t NameFields = 4;
    constexpr std::size_t WorkFields = NameFields + SlotCount + 1; // after the categories
    DetailFields fields;
    if (SplitDetails(line, TypeTag(KindPerson), fields)) {
        // The texts are kept slots first, so the line's fields go in one setting, in that order.
        const auto at = [&](std::size_t index) { return fields.At(index); };
        SetRecordTexts(head, fields, SlotText(0),
                       {at(NameFields), at(NameFields + 1), at(NameFields + 2), at(NameFields + 3), at(NameFields + 4),
                        at(0), at(1), at(2), at(3), at(WorkFields), at(WorkFields + 1), at(WorkFields + 2)});
        ReadCategories(fields, NameFields + SlotCount);
    } else {
        SetRecordTexts(head);
    }
}

void TPersonObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    const auto t = OwnTexts();
    const auto s = [&](int slot) { return t[SlotText(slot)]; };
    AppendDetailLine(out, TypeTag(KindPerson),
                     {t[SalutationText], t[FirstNameText], t[MiddleNameText], t[LastNameText], s(0), s(1), s(2), s(3),
                      s(4), CategoriesText()});
    // The newer fields follow as far as they hold text: a person without them is written exactly
    // as the classic layout has it.
    const std::string_view work[] = {t[CompanyText], t[JobTitleText], t[SuffixText]};
    const auto end = std::find_if(std::rbegin(work), std::rend(work), [](std::string_view f) { return !f.empty(); });
    for (auto field = std::begin(work); field != end.base(); ++field)
        out.append(FieldSeparator).append(*field);
}

void TPersonObject::ApplyNames(const PartyForm& form)
{
    SetNames(form.salutation, form.firstName, form.middleName, form.lastName);
    SetWorkFields(form.company, form.jobTitle, form.suffix);
    SetTarget(Salutation() + " " + FirstName() + " " + LastName());
}

void TPersonObject::FillNames(PartyForm& form) const
{
    form.salutation = Salutation();
    form.firstName = FirstName();
    form.middleName = MiddleName();
    form.lastName = LastName();
    form.suffix = Suffix();
    form.company = Company();
    form.jobTitle = JobTitle();
}

} // namespace quillary
