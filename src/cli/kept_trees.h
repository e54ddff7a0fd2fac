// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_tree.h"

#include <memory>

namespace quillary::cli {

// This program ends right after its one command, and the kernel takes a loaded tree back far
// faster than taking it down item by item would (a tenth of a large load). So the commands leave
// their trees here, still reachable, to the end of the process. Only for this program: one that
// goes on after a command would keep every tree it ever loaded.
void KeepToExit(std::unique_ptr<ItemTree> tree);

} // namespace quillary::cli
