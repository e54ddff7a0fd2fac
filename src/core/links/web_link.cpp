// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/web_link.h"

#include "common/ascii_case.h"
#include "common/hex_escapes.h"
#include "common/text_excerpt.h"
#include "links/mail_address.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace quillary {

namespace {
constexpr std::string_view MailScheme = "mailto";

bool IsControlOrBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// The link as a browser's address parser sees it.
std::string BrowserForm(std::string_view link)
{
    while (!link.empty() && IsControlOrBlank(link.front()))
        link.remove_prefix(1);
    while (!link.empty() && IsControlOrBlank(link.back()))
        link.remove_suffix(1);
    std::string form;
    for (const char c : link)
        if (c != '\t' && c != '\n' && c != '\r')
            form += c;
    return form;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

bool IsSchemeCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
           c == '.';
}

std::vector<std::string_view> Parts(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// The addresses of a "mailto:" link's path or of one of its address fields, separated by commas.
std::optional<std::string> AddressListProblem(std::string_view encoded)
{
    const std::string addresses = DecodeHexEscapes(encoded, '%');
    for (std::string_view address : Parts(addresses, ',')) {
        if (address.empty())
            continue;
        if (auto problem = MailAddressProblem(address))
            return "a \"mailto:\" link to " + QuotedExcerpt(address) + " (" + *problem + ")";
    }
    return std::nullopt;
}

std::optional<std::string> MailtoProblem(std::string_view rest)
{
    const std::size_t question = rest.find('?');
    if (auto problem = AddressListProblem(rest.substr(0, question)))
        return problem;
    if (question == std::string_view::npos)
        return std::nullopt;
    for (std::string_view field : Parts(rest.substr(question + 1), '&')) {
        const std::size_t equals = field.find('=');
        const std::string name = Lower(DecodeHexEscapes(field.substr(0, equals), '%'));
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : field.substr(equals + 1);
        if (name == "to" || name == "cc" || name == "bcc") {
            if (auto problem = AddressListProblem(value))
                return problem;
        } else if (name != "subject" && name != "body" && !name.empty()) {
            return "a \"mailto:\" link may give addresses, a subject and a body, not " + QuotedExcerpt(name, 20);
        }
    }
    return std::nullopt;
}
} // namespace

bool IsWebScheme(std::string_view scheme)
{
    static constexpr std::array<std::string_view, 8> Schemes = {"http", "https",  "wais",   "news",
                                                                "ftp",  "mailto", "gopher", "telnet"};
    return std::find(Schemes.begin(), Schemes.end(), scheme) != Schemes.end();
}

std::optional<std::string> LinkScheme(std::string_view link)
{
    const std::string form = BrowserForm(link);
    const std::size_t colon = form.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(form.front())))
        return std::nullopt;
    const std::string_view scheme = std::string_view(form).substr(0, colon);
    if (!std::all_of(scheme.begin(), scheme.end(), IsSchemeCharacter))
        return std::nullopt;
    return Lower(scheme);
}

std::optional<std::string> LinkProblem(std::string_view link)
{
    const auto scheme = LinkScheme(link);
    if (!scheme)
        return std::nullopt;
    if (!IsWebScheme(*scheme))
        return "a " + QuotedExcerpt(*scheme + ":", 20) + " link is no web address";
    if (*scheme != MailScheme)
        return std::nullopt;
    const std::string form = BrowserForm(link);
    return MailtoProblem(std::string_view(form).substr(MailScheme.size() + 1));
}

bool IsURL(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (text.size() <= 7 || colon == std::string_view::npos)
        return false;
    std::string scheme(text.substr(0, colon));
    for (char& c : scheme)
        c = AsciiLower(c);
    return IsWebScheme(scheme);
}

bool IsOpenableLink(std::string_view link)
{
    return IsURL(link) && !LinkProblem(link);
}

std::string RefusedLinkMessage(std::string_view link)
{
    const auto problem = LinkProblem(link);
    return QuotedExcerpt(link) + " was not opened: " +
           (problem ? *problem : std::string("only http, https, ftp and mailto addresses are opened")) + ".";
}

} // namespace quillary
