// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/mailto_link.h"

#include "common/hex_escapes.h"

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
    return "mailto:" + PercentEncode(address, KeptAsIs);
}

} // namespace quillary
