// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillary {

// An entry of the "On the Web" menu: its caption and the page of the program's site it opens.
struct WebPageLink
{
    const char* caption;
    std::string_view path;

    std::string Address() const;
};

// In menu order.
std::span<const WebPageLink> WebPageLinks();

} // namespace quillary
