// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/sync_tree_access.h"

#include <atomic>
#include <functional>

class QObject;

namespace quillary {

class ItemTree;

// Thrown on the worker when a piece of tree work was refused: the window is going away.
struct SyncClosed
{
};

// Runs a sync's pieces of tree work on the thread of the window, one at a time, while the worker
// thread waits; between pieces the window handles its events as usual. Exceptions of a piece
// reach the worker. After a piece that changed the tree, changed() runs there too, so the views
// show what came in.
class GuiTreeAccess final : public SyncTreeAccess
{
public:
    GuiTreeAccess(QObject& window, ItemTree& tree, std::function<void()> changed);

    void Run(const std::function<void()>& work) override;
    // Refuses every later piece (SyncClosed on the worker): the tree is about to go.
    void Close() { m_closed = true; }

private:
    void RunHere(const std::function<void()>& work);

    QObject& m_window;
    ItemTree& m_tree;
    std::function<void()> m_changed;
    std::atomic<bool> m_closed{false};
};

} // namespace quillary
