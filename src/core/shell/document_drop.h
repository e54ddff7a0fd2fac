// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

class TKPXObject;

// Where a document dropped on a list entry can go: the entry's fax number and e-mail address
// (its own for fax and e-mail items, its primary ones for persons and organizations), empty
// when it has none.
std::string DropFaxNumber(const TKPXObject& target);
std::string DropEMailAddress(const TKPXObject& target);
bool AcceptsDocument(const TKPXObject& target);

} // namespace quillary
