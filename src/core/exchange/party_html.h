// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string_view>

namespace quillary {

class TPartyObject;

// A person or organization on a published page: a table with the primary details first, then
// the others; persons add their names. A named vCard file gets a link.
void WritePartyEntry(std::ostream& out, const TPartyObject& party, std::string_view vcardFile);

} // namespace quillary
