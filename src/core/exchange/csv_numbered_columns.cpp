// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_numbered_columns.h"

#include "common/ascii_case.h"
#include "model/item_kind.h"

#include <algorithm>
#include <iterator>

namespace quillary {

namespace {
constexpr NumberedPart PhoneParts[] = {{"Label", LabelField}, {"Value", "Phone Number"}};
constexpr NumberedPart FaxParts[] = {{"Label", LabelField}, {"Value", "Fax Number"}};
constexpr NumberedPart EMailParts[] = {{"Label", LabelField}, {"Value", "E-Mail Address"}};
constexpr NumberedPart WebsiteParts[] = {{"Label", LabelField}, {"Value", "Website"}};
// The street is the first line, the extended address the second and the post office box the third.
constexpr NumberedPart AddressParts[] = {{"Label", LabelField},
                                         {"Street", "Address Line 1"},
                                         {"Extended Address", "Address Line 2"},
                                         {"PO Box", "Address Line 3"},
                                         {"City", "City"},
                                         {"Region", "State/Province"},
                                         {"Postal Code", "Postal Code"},
                                         {"Country", "Country"}};

struct Group
{
    std::string_view word;
    int kind;
    std::span<const NumberedPart> parts;
};
constexpr Group Groups[] = {{"Phone", KindPhone, PhoneParts},
                            {"Fax", KindFax, FaxParts},
                            {"E-mail", KindEMail, EMailParts},
                            {"Address", KindAddress, AddressParts},
                            {"Website", KindWebsite, WebsiteParts}};
constexpr std::string_view Dash = " - ";

// The number at the start of text (at most six digits, not 0) and its length, or none.
std::optional<std::pair<int, std::size_t>> LeadingNumber(std::string_view text)
{
    std::size_t digits = 0;
    int number = 0;
    while (digits < text.size() && digits < 6 && text[digits] >= '0' && text[digits] <= '9')
        number = number * 10 + (text[digits++] - '0');
    if (digits == 0 || number == 0)
        return std::nullopt;
    return std::pair{number, digits};
}

const Group* GroupOfKind(int kind)
{
    const auto group =
        std::find_if(std::begin(Groups), std::end(Groups), [&](const Group& g) { return g.kind == kind; });
    return group == std::end(Groups) ? nullptr : &*group;
}

std::optional<std::string_view> FieldOfPart(const Group& group, std::string_view part)
{
    if (EqualsNoCase(part, "Type"))
        return LabelField;
    for (const NumberedPart& known : group.parts)
        if (EqualsNoCase(part, known.part))
            return known.field;
    return std::nullopt;
}
} // namespace

std::optional<NumberedColumn> ParseNumberedColumn(std::string_view name)
{
    for (const Group& group : Groups) {
        if (!StartsWithNoCase(name, group.word) || name.substr(group.word.size(), 1) != " ")
            continue;
        const auto number = LeadingNumber(name.substr(group.word.size() + 1));
        if (!number)
            return std::nullopt;
        const std::string_view rest = name.substr(group.word.size() + 1 + number->second);
        if (!rest.starts_with(Dash))
            return std::nullopt;
        const auto field = FieldOfPart(group, rest.substr(Dash.size()));
        if (!field)
            return std::nullopt;
        return NumberedColumn{group.kind, number->first, *field};
    }
    return std::nullopt;
}

std::span<const NumberedPart> NumberedParts(int kind)
{
    const Group* group = GroupOfKind(kind);
    return group ? group->parts : std::span<const NumberedPart>{};
}

std::string NumberedColumnName(int kind, int number, std::string_view part)
{
    const Group* group = GroupOfKind(kind);
    return std::string(group->word) + " " + std::to_string(number) + std::string(Dash) + std::string(part);
}

} // namespace quillary
