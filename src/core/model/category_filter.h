// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quillary {

class TKPXObject;

// The main window's category filter: which categories are picked and whether an item must
// share ANY of them or hold ALL of them. Category n (1..32) is bit n-1.
struct CategoryFilter
{
    enum class Mode { Off, Any, All };

    Mode mode = Mode::Off;
    std::uint32_t mask = 0;

    bool Hides(std::int32_t categories) const;
};

constexpr std::uint32_t CategoryBit(int category)
{
    return 1u << (category - 1);
}

// The filter test shared by the item list, copying, publishing and printing.
bool IsFilteredOut(const TKPXObject& item);

} // namespace quillary
