// SPDX-License-Identifier: GPL-3.0-or-later
// Named fields of the contact items: how a row of a delimited text file becomes an item, and
// how an item answers one column of an export.
#include "actions/web_link.h"
#include "model/field_record.h"
#include "model/items_contact.h"

namespace quillary {

namespace {
// Applies a field's value when the row has the field.
template <typename Setter> void IfPresent(const FieldRecord& record, std::string_view name, Setter&& set)
{
    if (const auto value = record.Get(name))
        set(*value);
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
    IfPresent(record, "Address Line 2", [&](const std::string& v) { lines.push_back(v); });
    IfPresent(record, "Address Line 3", [&](const std::string& v) { lines.push_back(v); });
    SetLines(lines);
    IfPresent(record, "City", [&](const std::string& v) { SetCity(v); });
    IfPresent(record, "State/Province", [&](const std::string& v) { SetState(v); });
    IfPresent(record, "Postal Code", [&](const std::string& v) { SetPostCode(v); });
    IfPresent(record, "Country", [&](const std::string& v) { SetCountry(v); });
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
    SetTarget(*number);
    IfPresent(record, "Comment", [&](const std::string& v) { SetComment(v); });
    IfPresent(record, "Extension", [&](const std::string& v) { SetExtension(v); });
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
    SetTarget(*number);
    IfPresent(record, "Comment", [&](const std::string& v) { SetComment(v); });
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
    SetTarget(*address);
    SetTitle(record.Get("Title").value_or(address->substr(0, address->find('@'))));
    IfPresent(record, "Comment", [&](const std::string& v) { SetComment(v); });
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
    SetTarget(*url);
    if (const auto title = record.Get("Title"))
        SetTitle(*title);
    else if (IsURL(*url))
        SetTitle(*url);
    IfPresent(record, "Comment", [&](const std::string& v) { SetComment(v); });
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
