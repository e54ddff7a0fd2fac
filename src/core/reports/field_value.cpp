// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/field_value.h"

#include "common/comma_text.h"
#include "model/kpx_object.h"

namespace quillary {

std::string FieldValue(const TKPXObject& item, std::string_view field)
{
    std::vector<std::string> words = SplitCommaText(item.GetFieldText(field), 1);
    return words.empty() ? std::string() : std::move(words.front());
}

} // namespace quillary
