// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillary {

class TBrowserDDE;
class TKPXObject;
class TreeNode;

// "Get Browser URL": the page the browser shows becomes a website under holder (title and
// address, no dialog), and holder's children are sorted again. No browser is started for it.
// Returns the new website, or none when no page was found.
TKPXObject* CaptureBrowserPage(TBrowserDDE& link, TreeNode& holder);

} // namespace quillary
