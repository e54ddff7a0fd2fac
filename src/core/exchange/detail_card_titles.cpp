// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/detail_card_titles.h"

#include "common/ascii_case.h"
#include "model/item_kind.h"

#include <algorithm>
#include <initializer_list>

namespace quillary {

namespace {

struct TypeWord
{
    std::string_view word;
    int flag;
};

// Words people title details with, beside the parameters' own names and display names.
constexpr TypeWord TypeWords[] = {{"Work", ParamWork}, {"Business", ParamWork}, {"Mobile", ParamCell},
                                  {"Cell", ParamCell}, {"Voice", ParamVoice},   {"Fax", ParamFax},
                                  {"Car", ParamCar},   {"Video", ParamVideo},   {"Message", ParamMsg}};

std::string_view KindTitle(int kind)
{
    switch (kind) {
    case KindAddress:
        return "Address";
    case KindPhone:
        return "Phone";
    case KindFax:
        return "Fax";
    case KindEMail:
        return "E-Mail";
    default:
        return "Web URL";
    }
}

// The parameters a title may name for a detail of the kind.
std::uint32_t FlagsFor(int kind, VCardVersion version)
{
    const auto bits = [](std::initializer_list<int> flags) {
        std::uint32_t set = 0;
        for (const int flag : flags)
            set |= 1U << flag;
        return set;
    };
    const std::uint32_t place = bits({ParamHome, ParamWork});
    const std::uint32_t line =
        bits({ParamVoice, ParamMsg, ParamCell, ParamPager, ParamBbs, ParamModem, ParamCar, ParamIsdn, ParamVideo});
    switch (kind) {
    case KindAddress:
        return place | bits({ParamDom, ParamIntl, ParamPostal, ParamParcel});
    case KindPhone:
        return place | line;
    case KindFax:
        return place | line | bits({ParamFax});
    case KindEMail: {
        std::uint32_t mail = place;
        for (int flag = ParamAol; flag <= ParamX400; ++flag)
            mail |= 1U << flag;
        // 4.0 knows no INTERNET type: every EMAIL is one.
        return version == VCardVersion::V40 ? mail & ~bits({ParamInternet}) : mail;
    }
    default:
        return place;
    }
}

// The parameter a part of a title names, or -1.
int FlagNamed(std::string_view part)
{
    for (int flag = 0; flag < CardParamCount; ++flag)
        if (EqualsNoCase(part, CardParamName(flag)) || EqualsNoCase(part, CardParamDisplayName(flag)))
            return flag;
    for (const TypeWord& type : TypeWords)
        if (EqualsNoCase(part, type.word))
            return type.flag;
    return -1;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string DetailTitle(const TCardProperty& property, int kind)
{
    if (!property.Label.empty())
        return property.Label;
    // A website is "Web URL" unless it has a name of its own, whatever kind of page it is.
    std::string title = kind == KindWebsite ? std::string() : property.ParamDisplayText();
    return title.empty() ? std::string(KindTitle(kind)) : title;
}

void WriteDetailTitle(TCardProperty& property, std::string_view title, int kind, VCardVersion version)
{
    const std::uint32_t allowed = FlagsFor(kind, version);
    for (std::size_t start = 0; start <= title.size();) {
        const std::size_t comma = std::min(title.find(',', start), title.size());
        const int flag = FlagNamed(Trimmed(title.substr(start, comma - start)));
        if (flag >= 0 && (allowed >> flag & 1U))
            property.SetParam(flag);
        start = comma + 1;
    }
    // A title the types do not give back exactly travels as a label ("Mobile" would read back as
    // "Cellular", "Summer house" as nothing at all).
    if (!title.empty() && DetailTitle(property, kind) != title)
        property.Label = title;
}

} // namespace quillary
