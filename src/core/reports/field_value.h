// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

class TKPXObject;

// The value of one of an item's named fields: the first word of its field text, or empty when
// the item does not answer that field. Each field is read on its own, so a field one kind does
// not know cannot shift the values of the fields after it.
std::string FieldValue(const TKPXObject& item, std::string_view field);

} // namespace quillary
