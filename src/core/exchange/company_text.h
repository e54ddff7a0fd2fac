// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// A person's company is one text that keeps a card's organization name and its units apart:
// "Acme, Inc.; Research" for ORG:Acme\, Inc.;Research. The parts are joined by "; " exactly, so
// that any text goes to a card and comes back as it was; a ";" without a space after it is part of
// a name. Empty units at the end are left out.
std::string CompanyText(const std::vector<std::string>& components);
// The name and the units of a company text: the parts between its "; ".
std::vector<std::string> CompanyComponents(std::string_view text);

} // namespace quillary
