// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/dial_number.h"

namespace quillary {

std::string DialableNumber(std::string_view number)
{
    std::string dialable;
    for (const char c : number)
        if ((c >= '0' && c <= '9') || c == '+' || c == '*' || c == '#' || c == ',' || c == ';')
            dialable += c;
    return dialable;
}

} // namespace quillary
