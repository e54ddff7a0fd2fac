// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/data_file.h"
#include "model/item_tree.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"

#include <cstddef>
#include <sstream>

namespace quillary::bench {

// Makes the data file's text and the state's as the command line writes them to disk, and keeps
// only their size, so a run's figures include the saving without the disk.
class MemorySyncStore final : public SyncStore
{
public:
    explicit MemorySyncStore(ItemTree& tree) : m_tree(tree) {}
    void SaveTree() override
    {
        std::ostringstream out;
        WriteDataStream(m_tree, out);
        bytes = out.str().size();
    }
    void SaveState(const SyncState& state) override { bytes = WriteSyncStateText(state).size(); }
    void SaveCategoryNames(const CategoryNames&) override {} // the bench's cards carry no categories
    std::size_t bytes = 0;

private:
    ItemTree& m_tree;
};

} // namespace quillary::bench
