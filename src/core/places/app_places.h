// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace quillary {

// The one rule for where the program's files live, read from the environment, for the desktop
// program and the command line alike. $QUILLARY_HOME, when set and not empty, holds the data
// file and the settings file; otherwise the XDG base directories (an empty or relative XDG
// variable counts as unset, as Qt's path lookup takes it, so both programs agree). Every place is
// absolute. Nothing is made here: callers that write make the folders, private.

// The folder of the data file and its companions (clipdata.dat, ret_addr.dat, Web Graphics):
// $QUILLARY_HOME, else $XDG_DATA_HOME/quillary (~/.local/share/quillary).
std::filesystem::path DataFolder();

// The settings file kpx.ini: in $QUILLARY_HOME, else in $XDG_CONFIG_HOME/quillary
// (~/.config/quillary).
std::filesystem::path SettingsFile();

// The second place of recovery copies: $XDG_STATE_HOME/quillary (~/.local/state/quillary).
std::filesystem::path StateFolder();

} // namespace quillary
