// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary {

// The main window's tips, as the tip bar stores them: each entry is comma text holding the tip in double quotes (a
// double quote inside doubled), followed by ", " and the context number of the help topic that explains it, when
// there is one. Every context named here has a page resources/help/<number>.html.
const std::vector<std::string>& MainWindowTips();

} // namespace quillary
