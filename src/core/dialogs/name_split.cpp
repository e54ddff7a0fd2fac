// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/name_split.h"

#include "common/comma_text.h"

namespace quillary {

NameSplit SplitPersonTitle(std::string_view title)
{
    // Three words are all that is read, whatever the title holds.
    const std::vector<std::string> words = SplitCommaText(title, 3);
    NameSplit split;
    if (words.size() < 2)
        return split;
    split.first = words[0];
    if (words.size() == 2) {
        split.last = words[1];
    } else {
        split.middle = words[1];
        split.last = words[2];
    }
    return split;
}

} // namespace quillary
