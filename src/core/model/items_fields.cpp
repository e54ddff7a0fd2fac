// SPDX-License-Identifier: GPL-3.0-or-later
// Named fields of the contact items: how a row of a delimited text file becomes an item, and
// how an item answers one column of an export.
#include "links/web_link.h"
#include "model/field_record.h"
#include "model/items_contact.h"

namespace quillary {

namespace {
// A field's value when the row has the field, else the item's current text.
std::string FieldOr(const FieldRecord& record, std::string_view name, TextView current)
{
    return record.Get(name).value_or(std::string(current));
}

bool Complete(const TKPXObject& item)
{
    return !item.GetTitle().empty() && !item.GetTarget().empty();
}
} // namespace

bool TAddressObject::ReadFields(FieldRecord& record)
{
    const auto first = record.Get("Address Line 1");
    if (!first)
        return false;
    SetTarget(*first);
    std::vector<std::string> lines{*first};
    SetTitle(record.Get("Title").value_or("New Address"));
    // A missing second line lets the third move up.
    for (const std::string_view name : {"Address Line 2", "Address Line 3"})
        if (auto line = record.Get(name))
            lines.push_back(std::move(*line));
    SetAddress(lines, FieldOr(record, "City", City()), FieldOr(record, "State/Province", State()),
               FieldOr(record, "Postal Code", PostCode()), FieldOr(record, "Country", Country()));
    return Complete(*this);
}

std::string TAddressObject::GetFieldText(std::string_view field) const
{
    const std::pair<std::string_view, TextView> fields[] = {
        {"Title", GetTitle()}, {"Address Line 1", Line(0)},    {"Address Line 2", Line(1)},
        {"Address Line 3", Line(2)}, {"City", City()}, {"State/Province", State()},
        {"Postal Code", PostCode()}, {"Country", Country()}, {"Comment", GetComment()}};
    for (const auto& [name, value] : fields)
        if (field == name)
            return QuotedField(value);
    return {};
}

bool TPhoneObject::ReadFields(FieldRecord& record)
{
    const auto title = record.Get("Title");
    const auto number = record.Get("Phone Number");
    if (!title || !number)
        return false;
    SetTitle(*title);
    static_assert(ExtensionText == CommentText + 1);
    ChangeTexts(TargetText,
                {*number, FieldOr(record, "Comment", GetComment()), FieldOr(record, "Extension", Extension())});
    return Complete(*this);
}

std::string TPhoneObject::GetFieldText(std::string_view field) const
{
    if (field == "Title")
        return QuotedField(GetTitle());
    if (field == "Phone Number")
        return QuotedField(GetTarget());
    if (field == "Comment")
        return QuotedField(GetComment());
    if (field == "Extension")
        return QuotedField(Extension());
    return {};
}

bool TFaxObject::ReadFields(FieldRecord& record)
{
    const auto title = record.Get("Title");
    const auto number = record.Get("Fax Number");
    if (!title || !number)
        return false;
    SetTitle(*title);
    ChangeTexts(TargetText, {*number, FieldOr(record, "Comment", GetComment())});
    return Complete(*this);
}

std::string TFaxObject::GetFieldText(std::string_view field) const
{
    if (field == "Title")
        return QuotedField(GetTitle());
    if (field == "Fax Number")
        return QuotedField(GetTarget());
    if (field == "Comment")
        return QuotedField(GetComment());
    return {};
}

bool TEMailObject::ReadFields(FieldRecord& record)
{
    const auto address = record.Get("E-Mail Address");
    if (!address)
        return false;
    ChangeTexts(TargetText, {*address, FieldOr(record, "Comment", GetComment())});
    SetTitle(record.Get("Title").value_or(address->substr(0, address->find('@'))));
    return Complete(*this);
}

std::string TEMailObject::GetFieldText(std::string_view field) const
{
    if (field == "Title")
        return QuotedField(GetTitle());
    if (field == "E-Mail Address")
        return QuotedField(GetTarget());
    if (field == "Comment")
        return QuotedField(GetComment());
    return {};
}

bool TWebObject::ReadFields(FieldRecord& record)
{
    const auto url = record.Get("Website");
    if (!url || LinkProblem(*url))
        return false;
    ChangeTexts(TargetText, {*url, FieldOr(record, "Comment", GetComment())});
    if (const auto title = record.Get("Title"))
        SetTitle(*title);
    else if (IsURL(*url))
        SetTitle(*url);
    return Complete(*this);
}

std::string TWebObject::GetFieldText(std::string_view field) const
{
    if (field == "Title")
        return QuotedField(GetTitle());
    if (field == "Website")
        return QuotedField(GetTarget());
    if (field == "Comment")
        return QuotedField(GetComment());
    return {};
}

} // namespace quillary
