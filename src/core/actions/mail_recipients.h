// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary {

class TKPXObject;

// The recipients of the selected rows, in row order: each row's "E-Mail Address" field. A person
// or organization without an address gives an empty entry (it still counts as a recipient, the
// mail component skips it); rows of other items without an address give nothing.
std::vector<std::string> CollectMailRecipients(const std::vector<const TKPXObject*>& rows);

} // namespace quillary
