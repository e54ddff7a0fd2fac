// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_version.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace quillary {

class TPartyObject;
class TreeNode;

// The persons and organizations a vCard export of the node holds: the node's own item when it is
// one, then every one beneath it, depth first, without those the category filter hides.
std::vector<const TPartyObject*> CardParties(TreeNode& node);

// Writes the cards of those parties one after another in the version; returns how many.
int WriteVCards(const std::vector<const TPartyObject*>& parties, std::ostream& out, VCardVersion version);

// Writes every card of CardParties(node) to one file; returns how many. With none nothing is
// written and the file is left as it was. Throws FileError when the file cannot be written.
int WriteVCardsFile(TreeNode& node, const std::filesystem::path& file, VCardVersion version);

} // namespace quillary
