// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/line_form.h"

#include "common/ascii_case.h"
#include "exchange/vcard_phone_numbers.h"

namespace quillary {

namespace {
constexpr std::string_view Tel = "tel:";
constexpr std::string_view Mailto = "mailto:";

// A phone's number text, from a "tel:" URI or an escaped text value.
std::string PhoneText(const CardLine& line)
{
    return StartsWithNoCase(line.value, Tel) ? TelUriNumber(line.value) : UnescapeCardText(line.value);
}
} // namespace

std::string ValueInFormOf(const CardLine& card, const CardLine& tree)
{
    if (card.name == "TEL") {
        const std::string number = PhoneText(tree);
        if (StartsWithNoCase(card.value, Tel))
            return TelUriOf(SplitPhoneNumberText(number));
        return EscapeCardText(number);
    }
    const bool cardMails = StartsWithNoCase(card.value, Mailto);
    const bool treeMails = StartsWithNoCase(tree.value, Mailto);
    if (cardMails == treeMails)
        return tree.value;
    return cardMails ? std::string(Mailto) + tree.value : tree.value.substr(Mailto.size());
}

} // namespace quillary
