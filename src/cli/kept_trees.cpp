// SPDX-License-Identifier: GPL-3.0-or-later
#include "kept_trees.h"

#include <vector>

namespace quillary::cli {

void KeepToExit(std::unique_ptr<ItemTree> tree)
{
    // Never destroyed itself, so nothing takes the trees down at exit either.
    static auto* const kept = new std::vector<ItemTree*>;
    if (tree)
        kept->push_back(tree.release());
}

} // namespace quillary::cli
