// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"

#include <string_view>

namespace quillary {

class TreeNode;

// Imports the Internet shortcuts (".url" in any case) of a browser's favorites folder and its
// sub-folders beneath destination: a folder named like the favorites folder is made under
// destination and takes the shortcuts found directly in it, one website each (titled by the
// file name without ".url", target the shortcut's URL). The shortcuts of a sub-folder go to the
// first node of the whole tree that bears the sub-folder's name, or else to a new folder of that
// name directly below the import's own folder, however deep the sub-folder lies.
// made counts the websites; rejected counts the files that are not shortcuts or could not be
// read, the shortcuts whose URL must not be a live link (LinkProblem), and the sub-folders that
// could not be read. Throws FileError when the folder itself
// cannot be read; nothing is made then.
ImportCounts ImportFavorites(std::string_view directory, TreeNode& destination);

} // namespace quillary
