// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// A phone number and its extension as cards carry them: 4.0 as a "tel:" URI with ";ext=", 2.1
// and 3.0 as text ending in " ext " and the extension, which is how dialling reads it too.
struct CardPhoneNumber
{
    std::string number;
    std::string extension;
};

// The number of a "tel:" URI as text: percent escapes undone, and " ext " with the extension when
// the URI names one. Other URI parameters are left out.
std::string TelUriNumber(std::string_view uri);

// "tel:" with the number and ";ext=" with the extension, each percent-encoded wherever a tel URI
// would not take the character as it stands (a blank, a comma, "#" ...), so the number's text comes back
// exactly.
std::string TelUriOf(const CardPhoneNumber& phone);

// The number text of a 2.1 or 3.0 card: the number, then " ext " and the extension when there is one.
std::string PhoneNumberText(const CardPhoneNumber& phone);

// A number text read back: a final " ext " followed by text without blanks is the extension.
CardPhoneNumber SplitPhoneNumberText(std::string_view text);

} // namespace quillary
