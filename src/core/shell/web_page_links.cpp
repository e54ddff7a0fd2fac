// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/web_page_links.h"

#include "exchange/html_publish.h"

#include <array>

namespace quillary {

namespace {
constexpr std::array<WebPageLink, 4> Links = {{
    {"&Quillary Page", ""},
    {"&Download Add-ons", "add-ons/"},
    {"&Brightfen Homepage", "about/"},
    {"&Tech Support", "support/"},
}};
} // namespace

std::string WebPageLink::Address() const
{
    return std::string(MakerWebPage) + std::string(path);
}

std::span<const WebPageLink> WebPageLinks()
{
    return Links;
}

} // namespace quillary
