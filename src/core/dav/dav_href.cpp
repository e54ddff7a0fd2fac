// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/dav_href.h"

#include "common/ascii_case.h"
#include "common/blank_trim.h"
#include "dav/url_parts.h"

#include <vector>

namespace quillary {

namespace {
constexpr std::string_view SegmentMarks = "-._~!$&'()*+,;=:@"; // kept as they are, besides letters and digits

std::string_view WithoutQuery(std::string_view text)
{
    return text.substr(0, text.find_first_of("?#"));
}

// After "//": the authority ends at the path, query or fragment.
std::string_view PathAfterAuthority(std::string_view rest)
{
    const std::size_t end = rest.find_first_of("/?#");
    return end == std::string_view::npos || rest[end] != '/' ? std::string_view() : WithoutQuery(rest.substr(end));
}

void AppendEncoded(std::string& out, std::string_view segment)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    for (const char c : segment) {
        if (IsAsciiLetter(c) || IsAsciiDigit(c) || SegmentMarks.find(c) != std::string_view::npos) {
            out += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 15];
        }
    }
}

// The path's segments decoded, with "." and ".." resolved as RFC 3986 resolves them, encoded by
// the one rule.
std::string CanonicalPath(std::string_view path)
{
    std::vector<std::string> segments;
    bool closingSlash = false;
    std::size_t start = path.starts_with('/') ? 1 : 0;
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::size_t end = slash == std::string_view::npos ? path.size() : slash;
        std::string segment = PercentDecoded(path.substr(start, end - start));
        const bool last = slash == std::string_view::npos;
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
            closingSlash = last;
        } else if (segment == ".") {
            closingSlash = last;
        } else {
            closingSlash = false;
            if (!last || !segment.empty())
                segments.push_back(std::move(segment));
            else
                closingSlash = true;
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& segment : segments) {
        out += '/';
        AppendEncoded(out, segment);
    }
    if (out.empty() || closingSlash)
        out += '/';
    // A path whose first segment is empty would read as "//authority" the next time: "/." keeps
    // it a path (RFC 3986, 5.2.4), and reads back as itself.
    if (!segments.empty() && segments.front().empty())
        out.insert(0, "/.");
    return out;
}
} // namespace

std::string_view UrlPath(std::string_view url)
{
    const std::size_t scheme = UrlSchemeLength(url);
    std::string_view rest = url.substr(scheme);
    if (!rest.starts_with("//"))
        return "/";
    const std::string_view path = PathAfterAuthority(rest.substr(2));
    return path.empty() ? std::string_view("/") : path;
}

std::optional<std::string> CanonicalHref(std::string_view href, std::string_view baseUrl)
{
    href = TrimWhitespace(href);
    if (const std::size_t scheme = UrlSchemeLength(href); scheme > 0) {
        if (href.substr(scheme, 2) != "//")
            return std::nullopt;
        return CanonicalPath(PathAfterAuthority(href.substr(scheme + 2)));
    }
    if (href.starts_with("//"))
        return CanonicalPath(PathAfterAuthority(href.substr(2)));
    const std::string_view path = WithoutQuery(href);
    if (path.starts_with('/'))
        return CanonicalPath(path);
    const std::string_view base = UrlPath(baseUrl);
    if (path.empty())
        return CanonicalPath(base);
    std::string merged(base.substr(0, base.rfind('/') + 1));
    merged += path;
    return CanonicalPath(merged);
}

bool SameCollectionPath(std::string_view left, std::string_view right)
{
    if (left.ends_with('/'))
        left.remove_suffix(1);
    if (right.ends_with('/'))
        right.remove_suffix(1);
    return left == right;
}

} // namespace quillary
