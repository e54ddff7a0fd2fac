// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/category_filter.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"

namespace quillary {

bool CategoryFilter::Hides(std::int32_t categories) const
{
    const auto held = static_cast<std::uint32_t>(categories);
    switch (mode) {
    case Mode::Any:
        return mask != 0 && (mask & held) == 0;
    case Mode::All:
        return (mask & held) != mask;
    case Mode::Off:
        break;
    }
    return false;
}

bool IsFilteredOut(const TKPXObject& item)
{
    return item.Tree().Filter().Hides(item.GetCategories());
}

} // namespace quillary
