// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_content_lines.h"
#include "exchange/vcard_version.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// The parameters a property line may carry; the value of each is its flag number in Params.
enum CardParam : int {
    ParamDom,
    ParamIntl,
    ParamPostal,
    ParamParcel,
    ParamHome,
    ParamWork,
    ParamPref,
    ParamVoice,
    ParamFax,
    ParamMsg,
    ParamCell,
    ParamPager,
    ParamBbs,
    ParamModem,
    ParamCar,
    ParamIsdn,
    ParamVideo,
    ParamAol,
    ParamAppleLink,
    ParamAttMail,
    ParamCis,
    ParamEWorld,
    ParamInternet,
    ParamIbmMail,
    ParamMciMail,
    ParamPowershare,
    ParamProdigy,
    ParamTlx,
    ParamX400,
    CardParamCount
};

// A parameter's name in files ("PREF") and its name for people ("Preferred").
std::string_view CardParamName(int flag);
std::string_view CardParamDisplayName(int flag);

// One property line of a vCard: "TEL;WORK;VOICE:555-1234" has the name TEL, the flags WORK and
// VOICE, and one value. Values are the parts between ";" after the first ":".
class TCardProperty
{
public:
    TCardProperty() = default;
    TCardProperty(std::string_view name, std::vector<std::string> values) : Name(name), Values(std::move(values)) {}

    // The group the line was written in ("item1" of "item1.TEL"), or empty.
    std::string Group;
    std::string Name;
    std::uint32_t Params = 0; // flag n set: parameter n is present
    // Line breaks inside a value are kept as LF; the items that take a value make blanks of them.
    std::vector<std::string> Values;
    // Set by Parse when the line has more than MaxFieldsPerRow parameters or values (an ADR of
    // thousands of ";"); Values is then empty. The import refuses such a card.
    bool TooManyParts = false;
    // The label another line of the same group gives this one ("item1.X-ABLabel:Summer house");
    // see TCard::ReadCard.
    std::string Label;
    // A 4.0 value that is a URI ("VALUE=uri"), written without text escapes.
    bool UriValue = false;

    bool HasParam(int flag) const { return (Params >> flag) & 1U; }
    void SetParam(int flag) { Params |= 1U << flag; }
    // The value at index, or empty text when the line has fewer values.
    const std::string& Value(std::size_t index) const;
    // The values joined by ";" again: the whole text of a property that holds one text, also when
    // a 2.1 writer left a ";" in it unescaped.
    std::string Text() const;

    // Fills the property from one line of a 2.1 card. Parameters are recognised in any case, also
    // as "TYPE=WORK"; unknown ones are dropped. The value part divides at each ";" that no
    // backslash escapes ("\;", "\," and "\\" are undone); commas and quotes are text, but
    // CATEGORIES also divide at commas. An empty value part gives no values; empty fields
    // between ";" are kept. Values marked QUOTED-PRINTABLE are decoded and read in their CHARSET
    // (as UTF-8 without one); other values are the file's text, which the file reader made UTF-8.
    void Parse(std::string_view line);
    // Fills the property from one unfolded line of a card of the given version. For 3.0 and 4.0
    // the name is upper-cased and its group kept apart ("item1.tel" is TEL in group item1), TYPE
    // parameters are read in all their forms, "PREF=1" means preferred, backslash escapes are
    // undone, and the URI forms "tel:" and "mailto:" are reduced to the number (with " ext " and
    // the extension when the URI names one) and the address (a "mailto:" URL becomes an EMAIL).
    // Only N, ADR and ORG split at ";", CATEGORIES and NICKNAME at ",".
    void Parse(std::string_view line, VCardVersion version);
    // The 2.1 line: group, name, the set parameters in flag order, ":" and the values joined by
    // ";", each ";" in them escaped; values with a line break are written quoted-printable.
    std::string AsText() const;
    // The unfolded content line in the form of the given version: 3.0 writes the parameters as
    // "TYPE=WORK,PREF", 4.0 as "TYPE=work" and "PREF=1"; values are escaped but for a URI.
    std::string AsText(VCardVersion version) const;
    // The same content line kept in its parts, for 3.0 and 4.0.
    CardLine AsLine(VCardVersion version) const;
    // The display names of the set parameters in flag order, joined by ",".
    std::string ParamDisplayText() const;

private:
    void Clear();
    void SplitGroup();
    void DropOverfullValues();
    void ParseParameters(std::string_view head, VCardVersion version, std::string& charset, bool& quotedPrintable);
    void ReduceUriValue();
    // The parameters of a 3.0 or 4.0 line, without the leading ";", and its values as written.
    std::string ParamsText(VCardVersion version) const;
    void AppendValueText(std::string& text, VCardVersion version) const;
};

} // namespace quillary
