// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillary {

// One tip of the tip bar: comma text of the tip (double-quoted) and, optionally, the help context
// number of the topic that explains it.
struct TipEntry
{
    std::string text;
    bool hasHelp = false; // the bulb button is enabled
    int helpContext = 0;  // 0 when the second field is not a number
};

TipEntry ParseTipEntry(std::string_view entry);

// The index of the first tip shown, drawn from a random value: 0 to count-2, so the last tip is never
// first. One tip gives 0, none gives -1.
int FirstRandomTip(int count, std::uint32_t randomValue);

// The position after the stepper moved by delta, kept within 0..count-1; -1 when there are no tips.
int StepTip(int position, int delta, int count);

} // namespace quillary
