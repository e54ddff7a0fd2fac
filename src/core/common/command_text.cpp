// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/command_text.h"

namespace quillary {

std::string QuoteArgument(std::string_view argument)
{
    if (argument.find_first_of(" \t\n\r\"") == std::string_view::npos)
        return std::string(argument);
    std::string quoted = "\"";
    for (char c : argument)
        quoted += c == '"' ? std::string("\"\"\"") : std::string(1, c);
    quoted += '"';
    return quoted;
}

} // namespace quillary
