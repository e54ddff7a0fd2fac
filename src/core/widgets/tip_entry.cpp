// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tip_entry.h"

#include "common/comma_text.h"
#include "model/field_text.h"

#include <algorithm>

namespace quillary {

TipEntry ParseTipEntry(std::string_view entry)
{
    const std::vector<std::string> fields = SplitCommaText(entry);
    TipEntry tip;
    if (!fields.empty())
        tip.text = fields[0];
    tip.hasHelp = fields.size() >= 2;
    if (tip.hasHelp)
        tip.helpContext = ParseLenientInt(fields[1]);
    return tip;
}

int FirstRandomTip(int count, std::uint32_t randomValue)
{
    if (count <= 0)
        return -1;
    if (count == 1)
        return 0;
    return static_cast<int>(randomValue % static_cast<std::uint32_t>(count - 1));
}

int StepTip(int position, int delta, int count)
{
    if (count <= 0)
        return -1;
    const long long moved = static_cast<long long>(position) + delta;
    return static_cast<int>(std::clamp<long long>(moved, 0, count - 1));
}

} // namespace quillary
