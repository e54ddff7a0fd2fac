// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    std::string Name;
    std::uint32_t Params = 0; // flag n set: parameter n is present
    std::vector<std::string> Values;

    bool HasParam(int flag) const { return (Params >> flag) & 1U; }
    void SetParam(int flag) { Params |= 1U << flag; }
    // The value at index, or empty text when the line has fewer values.
    const std::string& Value(std::size_t index) const;

    // Fills the property from one line. Parameters are recognised in any case; unknown ones are
    // dropped. An empty value part gives no values; empty fields between ";" are kept.
    void Parse(std::string_view line);
    // The line again: name, the set parameters in flag order, ":" and the values joined by ";".
    std::string AsText() const;
    // The display names of the set parameters in flag order, joined by ",".
    std::string ParamDisplayText() const;
};

} // namespace quillary
