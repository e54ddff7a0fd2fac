// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_property.h"

#include "exchange/line_protection.h"

#include "common/ascii_case.h"
#include "common/comma_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quillary {

namespace {
constexpr std::array<std::pair<std::string_view, std::string_view>, CardParamCount> Params = {{
    {"DOM", "Domestic"},
    {"INTL", "International"},
    {"POSTAL", "Postal"},
    {"PARCEL", "Parcel"},
    {"HOME", "Home"},
    {"WORK", "Office"},
    {"PREF", "Preferred"},
    {"VOICE", "Voice Line"},
    {"FAX", "Fax Line"},
    {"MSG", "Message Only"},
    {"CELL", "Cellular"},
    {"PAGER", "Pager"},
    {"BBS", "BBS"},
    {"MODEM", "MODEM"},
    {"CAR", "Car Phone"},
    {"ISDN", "ISDN"},
    {"VIDEO", "Video Phone"},
    {"AOL", "AOL"},
    {"AppleLink", "AppleLink"},
    {"ATTMail", "ATTMail"},
    {"CIS", "CIS"},
    {"eWorld", "eWorld"},
    {"INTERNET", "Internet"},
    {"IBMMail", "IBMMail"},
    {"MCIMail", "MCIMail"},
    {"POWERSHARE", "Powershare"},
    {"PRODIGY", "PRODIGY"},
    {"TLX", "TLX"},
    {"X400", "X.400"},
}};

std::string Commas(std::string_view text)
{
    std::string result(text);
    std::replace(result.begin(), result.end(), ';', ',');
    return result;
}

} // namespace

std::string_view CardParamName(int flag)
{
    return Params.at(static_cast<std::size_t>(flag)).first;
}

std::string_view CardParamDisplayName(int flag)
{
    return Params.at(static_cast<std::size_t>(flag)).second;
}

const std::string& TCardProperty::Value(std::size_t index) const
{
    static const std::string none;
    return index < Values.size() ? Values[index] : none;
}

void TCardProperty::Parse(std::string_view line)
{
    Name.clear();
    Params = 0;
    Values.clear();
    const std::size_t colon = line.find(':');
    const std::string namePart = colon == std::string_view::npos ? std::string() : Commas(line.substr(0, colon));
    const std::string valuePart = Commas(colon == std::string_view::npos ? line : line.substr(colon + 1));

    const std::vector<std::string> words = SplitCommaText(namePart);
    if (!words.empty()) {
        Name = words.front();
        for (auto word = words.begin() + 1; word != words.end(); ++word)
            for (int flag = 0; flag < CardParamCount; ++flag)
                if (EqualsNoCase(*word, CardParamName(flag)))
                    SetParam(flag);
    }
    if (!valuePart.empty())
        Values = SplitProtectedLine(valuePart);
}

std::string TCardProperty::AsText() const
{
    std::string text = Name;
    for (int flag = 0; flag < CardParamCount; ++flag)
        if (HasParam(flag))
            text.append(";").append(CardParamName(flag));
    text += ':';
    for (std::size_t i = 0; i < Values.size(); ++i) {
        if (i > 0)
            text += ';';
        text += Values[i];
    }
    return text;
}

std::string TCardProperty::ParamDisplayText() const
{
    std::string text;
    for (int flag = 0; flag < CardParamCount; ++flag) {
        if (!HasParam(flag))
            continue;
        if (!text.empty())
            text += ',';
        text += CardParamDisplayName(flag);
    }
    return text;
}

} // namespace quillary
