// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"
#include "model/category_names.h"

#include <filesystem>
#include <istream>
#include <string>

namespace quillary {

class TreeNode;

// Asked for each card that names an organization: true imports it as an organization ("Import
// as Orgn."), false as a person ("Import as Person", also the answer when the question is closed).
class OrgCardQuestion
{
public:
    virtual ~OrgCardQuestion() = default;
    virtual bool ImportAsOrganization(const std::string& displayName, const std::string& organization) = 0;
};

// Imports every card beneath destination, in file order: a card with ORG becomes an organization
// or a person as the question answers (it is shown the card's name, made from N, and its first
// ORG value), any other card a person. The tree's views are told once, at the end. Returns the
// cards imported; progress may stop the import between cards. A card's CATEGORIES tick the
// categories whose names (category n is element n-1) match without regard to case. A card that
// holds nothing the import reads is counted as rejected, and so is a card with a value of more
// than MaxFieldsPerRow parts. A URL that must not be a live link
// (LinkProblem) makes no website and is noted as left out. What a card holds that the tree cannot
// keep (UnkeptKinds) is counted by kind. The file form throws FileError when the
// file cannot be opened or read, before anything is imported.
ImportCounts ImportVCardFile(const std::filesystem::path& file, TreeNode& destination, OrgCardQuestion& question,
                             const ProgressFn& progress = {}, const CategoryNames& categories = {});
ImportCounts ImportVCardFile(std::istream& in, TreeNode& destination, OrgCardQuestion& question,
                             const ProgressFn& progress = {}, const CategoryNames& categories = {});

} // namespace quillary
