// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/url_parts.h"

#include "common/ascii_case.h"

namespace quillary {

namespace {
int HexValue(char c)
{
    if (IsAsciiDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsUnreserved(char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

// RFC 3986, 6.2.2: "%7e" is "~", "%2f" stays encoded as "%2F".
std::string NormalisedEncoding(std::string_view path)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const int high = path[i] == '%' && i + 2 < path.size() ? HexValue(path[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(path[i + 2]) : -1;
        if (low < 0) {
            out += path[i];
            continue;
        }
        const char c = static_cast<char>(high * 16 + low);
        if (IsUnreserved(c))
            out += c;
        else
            out += {'%', Digits[high], Digits[low]};
        i += 2;
    }
    return out;
}

std::string DefaultPort(const std::string& scheme)
{
    return scheme == "https" ? "443" : scheme == "http" ? "80" : "";
}
} // namespace

std::string PercentDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::size_t UrlSchemeLength(std::string_view reference)
{
    if (reference.empty() || !IsAsciiLetter(reference.front()))
        return 0;
    for (std::size_t i = 1; i < reference.size(); ++i) {
        const char c = reference[i];
        if (c == ':')
            return i + 1;
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.')
            return 0;
    }
    return 0;
}

std::optional<UrlParts> ParseUrl(std::string_view url)
{
    const std::size_t scheme = UrlSchemeLength(url);
    if (scheme == 0 || url.substr(scheme, 2) != "//")
        return std::nullopt;
    UrlParts parts;
    parts.scheme = LowerAscii(url.substr(0, scheme - 1));
    std::string_view rest = url.substr(scheme + 2);
    const std::size_t authorityEnd = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, authorityEnd);
    rest = authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view info = authority.substr(0, at);
        const std::size_t colon = info.find(':');
        parts.hasUserInfo = true;
        parts.hasPassword = colon != std::string_view::npos;
        parts.user = info.substr(0, colon);
        if (parts.hasPassword)
            parts.password = info.substr(colon + 1);
        authority.remove_prefix(at + 1);
    }
    const std::size_t bracket = authority.starts_with('[') ? authority.find(']') : 0;
    if (bracket == std::string_view::npos)
        return std::nullopt;
    const std::size_t colon = authority.find(':', bracket);
    parts.host = LowerAscii(authority.substr(0, colon));
    if (colon != std::string_view::npos) {
        parts.port = authority.substr(colon + 1);
        for (const char c : parts.port)
            if (!IsAsciiDigit(c))
                return std::nullopt;
    }
    const std::size_t pathEnd = rest.find_first_of("?#");
    parts.path = rest.substr(0, pathEnd);
    if (pathEnd != std::string_view::npos)
        parts.rest = rest.substr(pathEnd);
    if (parts.path.empty())
        parts.path = "/";
    return parts;
}

bool SameOrigin(std::string_view left, std::string_view right)
{
    const auto a = ParseUrl(left);
    const auto b = ParseUrl(right);
    const auto port = [](const UrlParts& parts) { return parts.port.empty() ? DefaultPort(parts.scheme) : parts.port; };
    return a && b && a->scheme == b->scheme && a->host == b->host && port(*a) == port(*b);
}

std::optional<std::string> CanonicalCollectionUrl(std::string_view url)
{
    std::optional<UrlParts> parts = ParseUrl(url);
    if (!parts)
        return std::nullopt;
    if (parts->port == DefaultPort(parts->scheme))
        parts->port.clear();
    std::string path = NormalisedEncoding(parts->path);
    if (!path.ends_with('/'))
        path += '/';
    return parts->Origin() + path;
}

std::string UrlParts::Origin() const
{
    return scheme + "://" + host + (port.empty() ? "" : ":" + port);
}

std::string UrlParts::WithoutUserInfo() const
{
    return Origin() + path + rest;
}

} // namespace quillary
