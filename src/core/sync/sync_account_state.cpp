// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_account_state.h"

#include "model/item_tree.h"
#include "model/node_path.h"
#include "sync/local_cards.h"

namespace quillary {

std::optional<SyncState> StateForNode(const std::filesystem::path& path, const std::string& url, TreeNode& node,
                                      std::string& problem)
{
    std::optional<SyncState> state = LoadSyncState(path);
    if (!state) {
        state.emplace();
        state->url = url;
        state->salt = DrawSyncSalt();
    } else if (!state->node.empty() && state->node != NodeIds(node)) {
        if (const TreeNode* other = FindNodeByIds(node.Tree().Root(), state->node)) {
            problem = url + " is synchronised with " + NodePath(*other) + ", not " + NodePath(node);
            return std::nullopt;
        }
    }
    state->node = NodeIds(node);
    return state;
}

} // namespace quillary
