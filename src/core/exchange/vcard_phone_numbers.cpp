// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_phone_numbers.h"

#include "common/ascii_case.h"
#include "common/hex_escapes.h"
#include "common/utf8_text.h"

namespace quillary {

namespace {
constexpr std::string_view ExtensionMark = " ext ";

std::string PercentDecoded(std::string_view text)
{
    return RepairUtf8(DecodeHexEscapes(text, '%'));
}

// Unreserved and mark characters of RFC 3966 stand as they are; everything else is escaped.
std::string PercentEncoded(std::string_view text)
{
    return PercentEncode(text, [](unsigned char c) {
        static constexpr std::string_view Plain = "+-_.!~*'()";
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               Plain.find(static_cast<char>(c)) != std::string_view::npos;
    });
}
} // namespace

std::string TelUriNumber(std::string_view uri)
{
    std::string_view rest = uri.substr(4); // after "tel:"
    std::size_t end = rest.find(';');
    std::string number = PercentDecoded(rest.substr(0, end));
    while (end != std::string_view::npos) {
        rest.remove_prefix(end + 1);
        end = rest.find(';');
        const std::string_view parameter = rest.substr(0, end);
        if (StartsWithNoCase(parameter, "ext=") && parameter.size() > 4)
            return number.append(ExtensionMark).append(PercentDecoded(parameter.substr(4)));
    }
    return number;
}

std::string TelUriOf(const CardPhoneNumber& phone)
{
    std::string uri = "tel:" + PercentEncoded(phone.number);
    if (!phone.extension.empty())
        uri.append(";ext=").append(PercentEncoded(phone.extension));
    return uri;
}

std::string PhoneNumberText(const CardPhoneNumber& phone)
{
    return phone.extension.empty() ? phone.number : phone.number + std::string(ExtensionMark) + phone.extension;
}

CardPhoneNumber SplitPhoneNumberText(std::string_view text)
{
    const std::size_t mark = text.rfind(ExtensionMark);
    if (mark == std::string_view::npos)
        return {std::string(text), {}};
    const std::string_view extension = text.substr(mark + ExtensionMark.size());
    if (extension.empty() || extension.find(' ') != std::string_view::npos)
        return {std::string(text), {}};
    return {std::string(text.substr(0, mark)), std::string(extension)};
}

} // namespace quillary
