// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillary {

// How tall a printed line is, shared by the composing engine and every painter so a box holds
// exactly the lines it was given: 1.2 times the font's size (the usual leading), 72 points to the
// inch. Lengths are hundredths of an inch.
constexpr double LineHeightOf(int points)
{
    return points * 120 / 72.0;
}

// How many whole lines of that size a box of that height holds.
constexpr int WholeLinesIn(int height, int points)
{
    return points > 0 && height > 0 ? height * 72 / (points * 120) : 0;
}

// The height one line needs, rounded up to a whole hundredth.
constexpr int OneLineHeight(int points)
{
    return (points * 120 + 71) / 72;
}

} // namespace quillary
