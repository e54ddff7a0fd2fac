// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

class SyncStore;
class SyncTree;
struct SyncOptions;
struct SyncPlan;
struct SyncReport;
struct SyncState;

// Applies the plan's download steps to the tree and the state, batch by batch (each batch one
// piece of tree work), saving the tree and then the state when options.saveInterval has passed
// since the last save, after the last batch, and before a stop. The sync token is taken once
// every step is done and none waits for an item open for editing, so that the server lists those
// changes again. An item that no longer has the fields the plan saw is left as it is, for the next
// run. False, with the report Stopped, when asked to stop between batches.
bool ApplyDownloads(const SyncPlan& plan, const std::string& syncToken, SyncTree& tree, SyncState& state,
                    SyncStore& store, const SyncOptions& options, SyncReport& report);

} // namespace quillary
