// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/mailto_link.h"

#include <string_view>

namespace quillary {

namespace {
bool KeptAsIs(unsigned char c)
{
    constexpr std::string_view Marks = "-._~@+!$'()*;:";
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           Marks.find(static_cast<char>(c)) != std::string_view::npos;
}
} // namespace

std::string MailtoLink(std::string_view address)
{
    constexpr std::string_view Hex = "0123456789ABCDEF";
    std::string link = "mailto:";
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (KeptAsIs(byte)) {
            link += c;
        } else {
            link += '%';
            link += Hex[byte >> 4];
            link += Hex[byte & 0x0F];
        }
    }
    return link;
}

} // namespace quillary
