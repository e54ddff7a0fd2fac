// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_property.h"

#include "exchange/vcard_encodings.h"
#include "exchange/vcard_escapes.h"
#include "exchange/vcard_lines.h"
#include "exchange/vcard_phone_numbers.h"

#include "common/ascii_case.h"
#include "common/comma_text.h"
#include "common/field_limits.h"

#include <algorithm>
#include <array>
#include <bit>
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

// For each length, the flags of the parameters whose name is that long.
constexpr std::array<std::uint32_t, 12> FlagsByLength = [] {
    std::array<std::uint32_t, 12> flags{};
    for (std::size_t flag = 0; flag < Params.size(); ++flag)
        flags[Params[flag].first.size()] |= 1U << flag;
    return flags;
}();

// A text of up to eight bytes in upper case, packed into a word: two such texts are equal without
// regard to case when their words are.
constexpr std::uint64_t PackedUpper(std::string_view text)
{
    std::uint64_t word = 0;
    for (const char c : text)
        word = word << 8 | static_cast<unsigned char>(AsciiUpper(c));
    return word;
}

constexpr std::size_t PackedBytes = 8;

constexpr std::array<std::uint64_t, CardParamCount> PackedParams = [] {
    std::array<std::uint64_t, CardParamCount> packed{};
    for (std::size_t flag = 0; flag < Params.size(); ++flag)
        if (Params[flag].first.size() <= PackedBytes)
            packed[flag] = PackedUpper(Params[flag].first);
    return packed;
}();

// Sets the flag of every parameter named token (any case).
void SetTypeFlags(TCardProperty& property, std::string_view token)
{
    if (token.size() >= FlagsByLength.size())
        return;
    const bool packs = token.size() <= PackedBytes;
    const std::uint64_t packed = packs ? PackedUpper(token) : 0;
    for (std::uint32_t flags = FlagsByLength[token.size()]; flags != 0; flags &= flags - 1) {
        const int flag = std::countr_zero(flags);
        if (packs ? packed == PackedParams[static_cast<std::size_t>(flag)] : EqualsNoCase(token, CardParamName(flag)))
            property.SetParam(flag);
    }
}

// A quoted-printable value as UTF-8 text. Only encoded bytes are read in the value's character
// set: the file's own text is UTF-8 already, whatever the card says it was written in.
std::string Decoded(std::string_view value, std::string_view charset)
{
    return NormalizedLineBreaks(CharsetToUtf8(DecodeQuotedPrintable(value), charset));
}

bool HasLineBreak(const std::vector<std::string>& values)
{
    return std::any_of(values.begin(), values.end(),
                       [](const std::string& value) { return value.find('\n') != std::string::npos; });
}

bool IsAscii(const std::vector<std::string>& values)
{
    return std::all_of(values.begin(), values.end(), [](const std::string& value) {
        return std::all_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    });
}

// Calls use with each part of text between the separators that stand outside double quotes.
template <typename Use> void ForEachPart(std::string_view text, char separator, Use&& use)
{
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            use(text.substr(start, i - start));
            start = i + 1;
        }
    }
    use(text.substr(start));
}

std::string_view Unquoted(std::string_view text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// Each value split again at every separator that no backslash escapes.
std::vector<std::string> SplitEach(std::vector<std::string> values, char separator)
{
    std::vector<std::string> parts;
    for (const std::string& value : values)
        for (std::string& part : SplitUnescaped(value, separator, MaxFieldsPerRow))
            parts.push_back(std::move(part));
    return parts;
}

// The character at which a 3.0 or 4.0 value of the named property divides into values, or '\0'
// for a single text.
char ValueSeparator(std::string_view name)
{
    if (name == "N" || name == "ADR" || name == "ORG")
        return ';';
    if (name == "CATEGORIES" || name == "NICKNAME")
        return ',';
    return '\0';
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

std::string TCardProperty::Text() const
{
    if (Values.size() == 1)
        return Values.front();
    std::string text;
    for (std::size_t i = 0; i < Values.size(); ++i)
        text.append(i > 0 ? ";" : "").append(Values[i]);
    return text;
}

void TCardProperty::Clear()
{
    Group.clear();
    Name.clear();
    Params = 0;
    Values.clear();
    TooManyParts = false;
    Label.clear();
    UriValue = false;
}

void TCardProperty::SplitGroup()
{
    if (const std::size_t dot = Name.rfind('.'); dot != std::string::npos) {
        Group = Name.substr(0, dot);
        Name.erase(0, dot + 1);
    }
}

void TCardProperty::Parse(std::string_view line)
{
    Clear();
    const std::size_t colon = line.find(':');
    const std::string namePart = colon == std::string_view::npos ? std::string() : Commas(line.substr(0, colon));
    const std::string_view valuePart = colon == std::string_view::npos ? line : line.substr(colon + 1);

    const std::vector<std::string> words = SplitCommaText(namePart, MaxFieldsPerRow);
    TooManyParts = words.size() > MaxFieldsPerRow;
    std::string charset;
    bool quotedPrintable = false;
    if (!words.empty()) {
        Name = words.front();
        SplitGroup();
        for (auto word = words.begin() + 1; word != words.end(); ++word) {
            const std::string_view parameter = *word;
            if (StartsWithNoCase(parameter, "TYPE="))
                SetTypeFlags(*this, parameter.substr(5));
            else if (StartsWithNoCase(parameter, "CHARSET="))
                charset = parameter.substr(8);
            else if (EqualsNoCase(parameter, "QUOTED-PRINTABLE") ||
                     EqualsNoCase(parameter, "ENCODING=QUOTED-PRINTABLE"))
                quotedPrintable = true;
            else
                SetTypeFlags(*this, parameter);
        }
    }
    // Only ";" divides a 2.1 value; commas and quotes are text. CATEGORIES name one category
    // between commas as well.
    if (!valuePart.empty())
        Values = SplitUnescaped(valuePart, ';', MaxFieldsPerRow);
    if (EqualsNoCase(Name, "CATEGORIES"))
        Values = SplitEach(std::move(Values), ',');
    DropOverfullValues();
    for (std::string& value : Values)
        value = UnescapeOldValue(quotedPrintable ? Decoded(value, charset) : std::move(value));
}

void TCardProperty::Parse(std::string_view line, VCardVersion version)
{
    if (version == VCardVersion::V21) {
        Parse(line);
        return;
    }
    Clear();
    const std::size_t colon = ValueColon(line);
    if (colon == std::string_view::npos) {
        Values.push_back(UnescapeValue(std::string(line)));
        return;
    }
    std::string charset;
    bool quotedPrintable = false;
    ParseParameters(line.substr(0, colon), version, charset, quotedPrintable);
    const std::string_view value = line.substr(colon + 1);
    if (value.empty())
        return;
    Values = SplitUnescaped(value, ValueSeparator(Name), MaxFieldsPerRow);
    DropOverfullValues();
    for (std::string& part : Values)
        if (quotedPrintable || part.find('\\') != std::string::npos)
            part = UnescapeValue(quotedPrintable ? Decoded(part, charset) : std::move(part));
    ReduceUriValue();
}

void TCardProperty::DropOverfullValues()
{
    if (Values.size() > MaxFieldsPerRow)
        TooManyParts = true;
    if (TooManyParts)
        Values.clear();
}

void TCardProperty::ParseParameters(std::string_view head, VCardVersion version, std::string& charset,
                                    bool& quotedPrintable)
{
    const std::string_view name = head.substr(0, head.find(';'));
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        Group = name.substr(0, dot);
    Name = name.substr(dot + 1); // the whole name when there is no group: npos + 1 is 0
    std::transform(Name.begin(), Name.end(), Name.begin(), AsciiUpper);
    if (name.size() == head.size())
        return;
    ForEachPart(head.substr(name.size() + 1), ';', [&](std::string_view part) {
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) {
            quotedPrintable |= EqualsNoCase(part, "QUOTED-PRINTABLE");
            SetTypeFlags(*this, part);
            return;
        }
        const std::string_view key = part.substr(0, equals);
        ForEachPart(part.substr(equals + 1), ',', [&](std::string_view quoted) {
            const std::string_view value = Unquoted(quoted);
            if (EqualsNoCase(key, "TYPE"))
                ForEachPart(value, ',', [&](std::string_view type) { SetTypeFlags(*this, type); });
            else if (EqualsNoCase(key, "PREF") && version == VCardVersion::V40 && value == "1")
                SetParam(ParamPref);
            else if (EqualsNoCase(key, "ENCODING"))
                quotedPrintable |= EqualsNoCase(value, "QUOTED-PRINTABLE");
            else if (EqualsNoCase(key, "CHARSET"))
                charset = value;
        });
    });
}

void TCardProperty::ReduceUriValue()
{
    if (Values.empty())
        return;
    std::string& first = Values.front();
    if (Name == "TEL" && StartsWithNoCase(first, "tel:")) {
        first = TelUriNumber(first);
    } else if ((Name == "EMAIL" || Name == "URL") && StartsWithNoCase(first, "mailto:")) {
        first.erase(0, 7);
        if (Name == "URL") {
            Name = "EMAIL";
            SetParam(ParamInternet);
        }
    }
}

std::string TCardProperty::AsText() const
{
    std::string text = Group.empty() ? Name : Group + "." + Name;
    for (int flag = 0; flag < CardParamCount; ++flag)
        if (HasParam(flag))
            text.append(";").append(CardParamName(flag));
    // A line break can only travel encoded; the encoding then names the bytes it stands for.
    const bool encoded = HasLineBreak(Values);
    if (encoded)
        text += IsAscii(Values) ? ";ENCODING=QUOTED-PRINTABLE" : ";CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE";
    text += ':';
    for (std::size_t i = 0; i < Values.size(); ++i) {
        if (i > 0)
            text += ';';
        const std::string value = EscapeOldValue(Values[i], i + 1 < Values.size());
        text += encoded ? EncodeQuotedPrintable(value) : value;
    }
    return text;
}

std::string TCardProperty::ParamsText(VCardVersion version) const
{
    const bool v4 = version == VCardVersion::V40;
    std::string types;
    for (int flag = 0; flag < CardParamCount; ++flag) {
        if (!HasParam(flag) || (v4 && flag == ParamPref))
            continue;
        types += types.empty() ? "" : ",";
        types += v4 ? LowerAscii(CardParamName(flag)) : std::string(CardParamName(flag));
    }
    std::string params = v4 && UriValue ? "VALUE=uri" : "";
    if (!types.empty())
        params.append(params.empty() ? "" : ";").append("TYPE=").append(types);
    if (v4 && HasParam(ParamPref))
        params.append(params.empty() ? "" : ";").append("PREF=1");
    return params;
}

void TCardProperty::AppendValueText(std::string& text, VCardVersion version) const
{
    const bool raw = version == VCardVersion::V40 && UriValue;
    const char separator = ValueSeparator(Name) == ',' ? ',' : ';';
    for (std::size_t i = 0; i < Values.size(); ++i) {
        if (i > 0)
            text += separator;
        if (raw)
            text += Values[i];
        else
            AppendEscapedValue(text, Values[i]);
    }
}

std::string TCardProperty::AsText(VCardVersion version) const
{
    if (version == VCardVersion::V21)
        return AsText();
    std::string text = Group.empty() ? Name : Group + "." + Name;
    if (const std::string params = ParamsText(version); !params.empty())
        text.append(";").append(params);
    text += ':';
    AppendValueText(text, version);
    return text;
}

CardLine TCardProperty::AsLine(VCardVersion version) const
{
    CardLine line;
    line.group = Group;
    line.name = UpperAscii(Name);
    if (line.name != Name)
        line.spelled = Name;
    line.params = ParamsText(version);
    AppendValueText(line.value, version);
    return line;
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
