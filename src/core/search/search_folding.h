// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// UTF-8 text in the form the search compares: lower case, with the accents of Latin letters taken
// off ("Müller" and "MULLER" both read "muller"), ß as "ss", æ as "ae", combining marks left out
// and every control character and no-break space as a plain space, so a folded field never holds
// a line break. Letters beyond Latin-1 Supplement and Latin Extended-A, and bytes outside
// well-formed UTF-8, stay as they are and so still match themselves.
std::string FoldForSearch(std::string_view text);

// The digits of a phone or fax number as dialled, whatever its format: "(555) 123-4567" reads
// "5551234567".
std::string PhoneDigits(std::string_view text);

} // namespace quillary
