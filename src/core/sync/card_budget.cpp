// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_budget.h"

namespace quillary {

std::string CardTooLargeReason()
{
    return "larger than " + std::to_string(MaxCardBytes >> 20) + " MiB";
}

std::string CardRefusal(std::string_view card)
{
    if (card.size() > MaxCardBytes)
        return CardTooLargeReason();
    // Content lines: a line end not followed by a blank or tab, which would continue the line.
    std::size_t lines = 0;
    for (std::size_t pos = card.find('\n'); pos != std::string_view::npos; pos = card.find('\n', pos + 1))
        if (pos + 1 == card.size() || (card[pos + 1] != ' ' && card[pos + 1] != '\t'))
            if (++lines > MaxCardLines + 3) // BEGIN, VERSION and END besides
                return "more than " + std::to_string(MaxCardLines) + " lines";
    return {};
}

} // namespace quillary
