// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items_contact.h"

#include "common/tel_uri.h"

#include "links/web_link.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/tree_node.h"

#include <algorithm>
#include <array>

namespace quillary {

namespace {
constexpr std::string_view AppName = "Tarnwell";
constexpr std::size_t AddressLines = 3;

int DialNumber(const TKPXObject& item, const std::string& number)
{
    return item.Services().telephony->RequestMakeCall(number, std::string(AppName), item.GetTitle(), item.GetComment());
}
} // namespace

bool HasAddressText(const std::vector<std::string>& lines)
{
    return lines.size() > 1 || (lines.size() == 1 && !lines.front().empty());
}

// ---- address

TAddressObject::TAddressObject(ItemTree& tree, std::string_view title, std::string_view target,
                               std::string_view comment, std::int32_t id, std::string_view details)
    : TKPXObject(tree, KindAddress, id)
{
    ReadDetails({title, target, comment}, details);
}

std::array<std::string, AddressLines> KeptAddressLines(const std::vector<std::string>& lines)
{
    std::array<std::string, AddressLines> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = CleanFieldText(lines[i]);
        if (i < AddressLines)
            kept[i] = std::move(line);
        else if (!line.empty()) // the record has three line fields: later lines join the last
            kept.back() += (kept.back().empty() ? "" : ", ") + line;
    }
    return kept;
}

void TAddressObject::SetLines(const std::vector<std::string>& lines)
{
    const auto kept = KeptAddressLines(lines);
    SetOwnTexts(FirstLineText, {kept[0], kept[1], kept[2]});
}

void TAddressObject::SetAddress(const std::vector<std::string>& lines, std::string_view city, std::string_view state,
                                std::string_view postCode, std::string_view country)
{
    static_assert(CityText == FirstLineText + AddressLines);
    const auto kept = KeptAddressLines(lines);
    SetOwnTexts(FirstLineText, {kept[0], kept[1], kept[2], city, state, postCode, country});
}

std::vector<std::string> TAddressObject::Lines() const
{
    return {Line(0), Line(1), Line(2)};
}

void TAddressObject::SetCity(std::string_view text)
{
    SetOwnText(CityText, text);
}

void TAddressObject::SetState(std::string_view text)
{
    SetOwnText(StateText, text);
}

void TAddressObject::SetPostCode(std::string_view text)
{
    SetOwnText(PostCodeText, text);
}

void TAddressObject::SetCountry(std::string_view text)
{
    SetOwnText(CountryText, text);
}

void TAddressObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    DetailFields fields;
    if (SplitDetails(line, TypeTag(KindAddress), fields)) {
        // The line's first seven fields are the texts in their order.
        SetRecordTexts(head, fields, FirstLineText,
                       {fields.At(0), fields.At(1), fields.At(2), fields.At(3), fields.At(4), fields.At(5), fields.At(6)});
        ReadCategories(fields, 7);
    } else {
        SetRecordTexts(head);
    }
}

void TAddressObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    const auto t = OwnTexts();
    AppendDetailLine(out, TypeTag(KindAddress),
                     {t[FirstLineText], t[FirstLineText + 1], t[FirstLineText + 2], t[CityText], t[StateText],
                      t[PostCodeText], t[CountryText], CategoriesText()});
}

AddressForm TAddressObject::ToForm() const
{
    return {GetTitle(), Lines(), City(), State(), PostCode(), Country(), GetComment()};
}

void TAddressObject::Apply(const AddressForm& form)
{
    ApplyCommon(form.title, form.lines.empty() ? std::string_view{} : form.lines.front(), form.comment);
    SetAddress(form.lines, form.city, form.state, form.postCode, form.country);
}

bool TAddressObject::EditNew(TreeNode&)
{
    AddressForm form;
    form.title = "New Address";
    if (!Services().dialogs->EditAddress(*this, form, EditMode::New) || form.title.empty() ||
        !HasAddressText(form.lines))
        return false;
    Apply(form);
    return true;
}

void TAddressObject::EditProperties()
{
    AddressForm form = ToForm();
    if (Services().dialogs->EditAddress(*this, form, EditMode::Properties) && !form.title.empty())
        Apply(form);
}

std::string TAddressObject::GetPlainText() const
{
    std::string block;
    for (std::size_t line = 0; line < AddressLines; ++line)
        if (!Line(line).empty())
            block += Line(line) + "\r\n";
    block += City() + ", " + State() + " " + PostCode() + "\r\n";
    block += Country() + "\r\n";
    return block;
}

// ---- phone

TPhoneObject::TPhoneObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                           std::int32_t id, std::string_view details)
    : TKPXObject(tree, KindPhone, id)
{
    ReadDetails({title, target, comment}, details);
}

void TPhoneObject::SetExtension(std::string_view text)
{
    SetOwnText(ExtensionText, text);
}

void TPhoneObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    DetailFields fields;
    if (SplitDetails(line, TypeTag(KindPhone), fields)) {
        SetRecordTexts(head, fields, ExtensionText, {fields.At(0)});
        ReadCategories(fields, 1);
    } else {
        SetRecordTexts(head);
    }
}

void TPhoneObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    AppendDetailLine(out, TypeTag(KindPhone), {Extension(), CategoriesText()});
}

bool TPhoneObject::EditWith(EditMode mode)
{
    PhoneForm form;
    if (mode == EditMode::New) {
        form.title = "New Phone";
    } else {
        form = {GetTitle(), GetTarget(), GetTarget(), Extension(), GetComment()};
    }
    if (!Services().dialogs->EditPhone(*this, form, mode) || form.title.empty() || form.plainNumber.empty())
        return false;
    ApplyCommon(form.title, form.number, form.comment);
    SetExtension(form.extension);
    return true;
}

bool TPhoneObject::EditNew(TreeNode&)
{
    return EditWith(EditMode::New);
}

void TPhoneObject::EditProperties()
{
    EditWith(EditMode::Properties);
}

int TPhoneObject::Dial()
{
    // The extension field travels in the number, where the desktop's dialler finds it.
    return DialNumber(*this, NumberWithExtension(GetTarget(), Extension()));
}

// ---- fax

TFaxObject::TFaxObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                       std::int32_t id, std::string_view details)
    : TTagOnlyObject(tree, KindFax, id)
{
    ReadDetails({title, target, comment}, details);
}

bool TFaxObject::EditNew(TreeNode&)
{
    FaxForm form;
    form.title = "New Fax";
    if (!Services().dialogs->EditFax(*this, form, EditMode::New) || form.title.empty() || form.plainNumber.empty())
        return false;
    ApplyCommon(form.title, form.number, form.comment);
    return true;
}

void TFaxObject::EditProperties()
{
    // An existing fax may have its number emptied: only the title is required here.
    FaxForm form{GetTitle(), GetTarget(), GetTarget(), GetComment()};
    if (Services().dialogs->EditFax(*this, form, EditMode::Properties) && !form.title.empty())
        ApplyCommon(form.title, form.number, form.comment);
}

void TFaxObject::SendFax(const std::string& document)
{
    Services().actions->SendFax(*this, document);
}

int TFaxObject::Dial()
{
    return DialNumber(*this, GetTarget());
}

// ---- e-mail

TEMailObject::TEMailObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                           std::int32_t id, std::string_view details)
    : TTagOnlyObject(tree, KindEMail, id)
{
    ReadDetails({title, target, comment}, details);
}

bool TEMailObject::EditWith(EditMode mode)
{
    EMailForm form{mode == EditMode::New ? std::string("New E-Mail") : GetTitle(),
                   mode == EditMode::New ? std::string() : GetTarget(),
                   mode == EditMode::New ? std::string() : GetComment()};
    if (!Services().dialogs->EditEMail(*this, form, mode) || form.address.empty())
        return false;
    ApplyCommon(form.title, form.address, form.comment);
    return true;
}

bool TEMailObject::EditNew(TreeNode&)
{
    return EditWith(EditMode::New);
}

void TEMailObject::EditProperties()
{
    EditWith(EditMode::Properties);
}

void TEMailObject::SendMail(const std::string& attachment)
{
    Services().actions->SendMail(*this, attachment);
}

// ---- website

TWebObject::TWebObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                       std::int32_t id, std::string_view details)
    : TTagOnlyObject(tree, KindWebsite, id)
{
    ReadDetails({title, target, comment}, details);
}

bool TWebObject::EditWith(EditMode mode)
{
    WebsiteForm form{mode == EditMode::New ? std::string("New Website") : GetTitle(),
                     mode == EditMode::New ? std::string("http://") : GetTarget(),
                     mode == EditMode::New ? std::string() : GetComment()};
    if (!Services().dialogs->EditWebsite(*this, form, mode) || !IsURL(form.url))
        return false;
    ApplyCommon(form.title, form.url, form.comment);
    return true;
}

bool TWebObject::EditNew(TreeNode&)
{
    return EditWith(EditMode::New);
}

void TWebObject::EditProperties()
{
    EditWith(EditMode::Properties);
}

void TWebObject::Browse()
{
    Services().actions->Browse(GetTarget());
}

bool TWebObject::ListInIndex() const
{
    return GetTreeNode() && GetTreeNode()->HasChildren();
}

} // namespace quillary
