// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string_view>

namespace quillary {

class TKPXObject;

// The item's entry on the main page of a published site. Most kinds take the plain form (title,
// target and comment); groups hold their details, persons and organizations are a table of their
// details with a link to the vCard file when one is named; documents show nothing.
void WriteItemHtml(std::ostream& out, const TKPXObject& item, std::string_view vcardFile = {});
// The item's line in the site's index, linking to its anchor on the page at prefix; most kinds
// have none.
void WriteItemIndexLink(std::ostream& out, const TKPXObject& item, std::string_view prefix);

} // namespace quillary
