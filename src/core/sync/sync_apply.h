// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

class SyncStore;
class TreeNode;
struct SyncOptions;
struct SyncPlan;
struct SyncReport;
struct SyncState;

// Applies the plan's download steps to the tree and the state, batch by batch, saving the tree
// and then the state after each; the sync token is taken once every step is done. An item that
// no longer has the fields the plan saw is left as it is, for the next run.
void ApplyDownloads(const SyncPlan& plan, const std::string& syncToken, TreeNode& node, SyncState& state,
                    SyncStore& store, const SyncOptions& options, SyncReport& report);

} // namespace quillary
