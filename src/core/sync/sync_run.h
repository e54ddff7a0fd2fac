// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"
#include "model/category_names.h"
#include "sync/sync_report.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class ItemTree;
class SyncTreeAccess;
class TreeNode;
struct SyncState;

// Where a run keeps what both sides agreed on: the tree (the data file) and the state. The tree
// is always saved before the state, so that a state never names items the data file lacks.
// SaveTree is called inside a piece of tree work.
class SyncStore
{
public:
    virtual ~SyncStore() = default;
    virtual void SaveTree() = 0;
    virtual void SaveState(const SyncState& state) = 0;
    // The category names, when the run gave new ones free slots: called before any item takes
    // them, so that an item never carries a category whose name only the server knows.
    virtual void SaveCategoryNames(const CategoryNames& names) = 0;
};

struct SyncOptions
{
    bool allowMassDelete = false;
    bool dryRun = false; // plan and describe; send nothing, change nothing
    std::size_t batchSize = 100;
    // Downloaded batches are saved (the tree, then the state) once the last save is this old, and
    // at the end of the downloads: a large first download writes the data file a few times, not
    // once a batch. A run cut off in between fetches the unsaved batches again.
    std::chrono::milliseconds saveInterval{std::chrono::seconds(5)};
    std::function<void(std::string_view)> progress;
    // Where the tree lives; none: right here.
    SyncTreeAccess* treeAccess = nullptr;
    // Asked inside pieces of tree work: an item open in an edit dialog. Such an item is not changed
    // by this run; the server's change waits for the next one.
    std::function<bool(std::int32_t itemId)> busy;
    // Asked between batches: the run then ends (Stopped) with what it did saved.
    std::function<bool()> stopRequested;
    // The names of the categories, which cards carry by name. A slot without a name travels not.
    CategoryNames categories{};

    bool StopRequested() const { return stopRequested && stopRequested(); }
};

// One run of the synchronisation of the node's subtree with the state's address book. The state
// is saved when its address book has just been found (before any change is sent), after downloaded
// changes (the tree first; see saveInterval) and after each batch of uploads; a run cut off anywhere
// and started again ends as one whole run would. Failures of the store (FileError) pass through.
SyncReport RunSync(DavTransport& transport, SyncState& state, TreeNode& node, SyncStore& store,
                   const SyncOptions& options);
// The same for the node the identifiers lead to (from the root down), found again in each piece of
// tree work: the user may move, edit or delete anything between them. A node that is gone ends the
// run as Failed.
SyncReport RunSync(DavTransport& transport, SyncState& state, ItemTree& tree, const std::vector<std::int32_t>& nodeIds,
                   SyncStore& store, const SyncOptions& options);

} // namespace quillary
