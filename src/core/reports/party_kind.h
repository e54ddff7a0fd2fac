// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillary {

class TKPXObject;

// Whether the item is a person or an organization that the category filter lets through.
bool IsShownParty(const TKPXObject& item);

} // namespace quillary
