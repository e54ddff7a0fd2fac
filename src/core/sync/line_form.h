// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_content_lines.h"

#include <string>

namespace quillary {

// The value of the tree's line written as the card's line it replaces writes its value: a phone
// as a "tel:" URI or as text, an address with or without "mailto:", as the card's line does.
std::string ValueInFormOf(const CardLine& card, const CardLine& tree);

} // namespace quillary
