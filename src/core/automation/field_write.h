// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quillary {

class TKPXObject;

// Sets one named field of an item (a field of its kind's delimited-text record) and leaves every
// other field as it was. A person's or organization's contact fields go to the primary detail
// that holds them. Throws AutomationError when the item has no such field, or when the value
// would make a complete item one that its kind no longer accepts (the item is then unchanged).
void WriteItemField(TKPXObject& item, std::string_view field, std::string_view value);

} // namespace quillary
