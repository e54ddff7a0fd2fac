// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillary::cli {

// Printing and synchronising need Qt (fonts, PDF output, the network, the keyring). Loading Qt's
// libraries costs every start about 20 ms and 10 MB, which the reading, importing and exporting
// commands have no use for; so this program links no Qt and passes those two commands, as they
// were given, to quillary-cli-qt, which has them. The companion is looked for beside this program
// (a build tree), then in the installation's libexec/quillary. Returns only when it cannot run.
int HandOverToQt(const std::vector<std::string>& args, std::ostream& err);

} // namespace quillary::cli
