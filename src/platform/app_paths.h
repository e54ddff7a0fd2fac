// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillary {

// The folder that holds the data file and its companions, as the core's one rule has it
// (places/app_places): $QUILLARY_HOME when set, else $XDG_DATA_HOME/quillary. Always absolute, so
// it stays right after the program changes its current directory; created when missing, private
// (0700) like every folder made above it.
QString WorkingDirectory();

// The settings file, as the core's rule has it: kpx.ini in $QUILLARY_HOME when set, else in
// $XDG_CONFIG_HOME/quillary. Its folder is created when missing (0700), so the first save can
// place its temporary file there.
QString SettingsFilePath();

} // namespace quillary
