// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/browser_capture.h"

#include "browser/browser_dde.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/tree_node.h"

namespace quillary {

TKPXObject* CaptureBrowserPage(TBrowserDDE& link, TreeNode& holder)
{
    link.SetStartBrowser(false);
    const WindowInfo page = link.GetWindowInfo();
    if (page.address.empty())
        return nullptr;
    TKPXObject* website = CreateItem(KindWebsite, page.title, page.address, "", holder, "", 0);
    holder.Tree().SortChildren(holder);
    return website;
}

} // namespace quillary
