// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/mail_address.h"

#include "common/text_excerpt.h"

#include <algorithm>

namespace quillary {

namespace {
bool IsLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Bytes of UTF-8 sequences: names of other scripts are addresses too.
bool IsNonAscii(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

bool IsLocalCharacter(char c)
{
    constexpr std::string_view Marks = ".!#$%&'*+-/=?^_`{|}~";
    return IsLetterOrDigit(c) || IsNonAscii(c) || Marks.find(c) != std::string_view::npos;
}

bool IsDomainCharacter(char c)
{
    return IsLetterOrDigit(c) || IsNonAscii(c) || c == '-' || c == '.';
}

std::string Shown(char c)
{
    const auto code = static_cast<unsigned char>(c);
    if (code == ' ')
        return "a blank";
    if (code < 32 || code == 127)
        return "a control character";
    return "\"" + std::string(1, c) + "\"";
}

// The first character outside the part's set, as the problem to report.
template <typename Allowed>
std::optional<std::string> Stranger(std::string_view part, std::string_view where, Allowed allowed)
{
    const auto bad = std::find_if_not(part.begin(), part.end(), allowed);
    if (bad == part.end())
        return std::nullopt;
    return "the " + std::string(where) + " holds " + Shown(*bad);
}
} // namespace

std::optional<std::string> MailAddressProblem(std::string_view address)
{
    const std::size_t at = address.rfind('@');
    if (at == std::string_view::npos)
        return "it has no \"@\"";
    const std::string_view local = address.substr(0, at);
    const std::string_view domain = address.substr(at + 1);
    if (local.empty() || domain.empty())
        return "nothing stands before or after \"@\"";
    if (local.front() == '-')
        return "it starts with \"-\" and would be taken for an option";
    if (local.front() == '.' || domain.front() == '.' || domain.front() == '-')
        return "a part starts with \".\" or \"-\"";
    if (auto problem = Stranger(local, "name before \"@\"", IsLocalCharacter))
        return problem;
    return Stranger(domain, "domain", IsDomainCharacter);
}

std::string RefusedAddressMessage(std::string_view address, std::string_view problem)
{
    return "No mail was sent: " + QuotedExcerpt(address) + " is not a plain e-mail address (" + std::string(problem) +
           ").";
}

} // namespace quillary
