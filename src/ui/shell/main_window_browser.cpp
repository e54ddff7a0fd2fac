// SPDX-License-Identifier: GPL-3.0-or-later
// "Get Browser URL": the page the web browser shows becomes a website item.
#include "ui/shell/main_form.h"

#include "browser/browser_capture.h"
#include "platform/qt_browser.h"

namespace quillary {

void TMainForm::GetUrlBtnClick()
{
    if (IsLoading()) // the tray's entry stays enabled; the tree takes nothing until it is read
        return;
    TreeNode& holder = HolderNode();
    if (CaptureBrowserPage(Browser().Link(), holder))
        FoldersChange(SelectedNode());
}

} // namespace quillary
