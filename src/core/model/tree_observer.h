// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quillary {

class TreeNode;

// What a view of the folder tree needs to hear to stay in step without copying the tree.
// Between TreeResetStarted and TreeResetEnded (a bulk change such as loading a file) no
// other notification is sent; the view reads the whole tree afresh afterwards.
class TreeObserver
{
public:
    virtual ~TreeObserver() = default;
    virtual void NodeAboutToBeAdded(TreeNode& /*parent*/, int /*row*/) {}
    virtual void NodeAdded(TreeNode& /*node*/) {}
    virtual void NodeAboutToBeRemoved(TreeNode& /*node*/) {}
    virtual void NodeRemoved(TreeNode& /*parent*/, int /*row*/) {}
    virtual void NodeAboutToBeMoved(TreeNode& /*node*/, TreeNode& /*newParent*/, int /*newRow*/) {}
    virtual void NodeMoved(TreeNode& /*node*/) {}
    virtual void ChildrenAboutToBeSorted(TreeNode& /*parent*/) {}
    // newRows[old row] is the row the child now stands in.
    virtual void ChildrenSorted(TreeNode& /*parent*/, const std::vector<int>& /*newRows*/) {}
    virtual void NodeChanged(TreeNode& /*node*/) {}
    // The detail list of the item held by this node gained or lost entries.
    virtual void DetailsChanged(TreeNode& /*owner*/) {}
    virtual void TreeResetStarted() {}
    virtual void TreeResetEnded() {}
};

} // namespace quillary
