// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/window_info.h"

namespace quillary {

namespace {

constexpr std::string_view NetscapeFrame = "Netscape - [";

std::string_view UpToQuote(std::string_view text)
{
    return text.substr(0, text.find('"'));
}

// From two characters after the first comma (the opening quote skipped) to before the last
// character; with no comma, from the second character.
std::string_view TitlePart(std::string_view reply)
{
    const std::size_t comma = reply.find(',');
    const std::size_t start = comma == std::string_view::npos ? 1 : comma + 2;
    if (reply.empty() || start >= reply.size() - 1)
        return {};
    return UpToQuote(reply.substr(start, reply.size() - 1 - start));
}

std::string Unframed(std::string_view title)
{
    if (!title.starts_with(NetscapeFrame))
        return std::string(title);
    title.remove_prefix(NetscapeFrame.size());
    if (!title.empty() && title.find(']') == title.size() - 1)
        title.remove_suffix(1);
    return std::string(title);
}

} // namespace

WindowInfo ParseWindowInfo(std::string_view reply)
{
    WindowInfo info;
    info.title = Unframed(TitlePart(reply));
    if (!reply.empty())
        info.address = std::string(UpToQuote(reply.substr(1)));
    return info;
}

} // namespace quillary
