// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/detail_fields.h"

#include "common/byte_scan.h"
#include "model/field_text.h"

namespace quillary {

void DetailFields::Split(std::string_view text)
{
    const bool controls = HoldsByteBelow(text.data(), text.data() + text.size(), ' ');
    m_count = 0;
    for (auto pos = text.find(FieldSeparator); pos != std::string_view::npos && m_count + 1 < Most;
         pos = text.find(FieldSeparator)) {
        m_fields[m_count++] = text.substr(0, pos);
        text.remove_prefix(pos + FieldSeparator.size());
    }
    m_fields[m_count++] = text;
    m_clean = !controls && !text.ends_with('~') && text.find(FieldSeparator) == std::string_view::npos;
}

} // namespace quillary
