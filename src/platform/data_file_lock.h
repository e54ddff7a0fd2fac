// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/run_lock.h"

#include <QString>

#include <optional>

namespace quillary {

// Takes the data file's lock for the program's run, so quillary-cli does not change the file
// behind the program's back. A command-line import that holds it is waited for a few seconds;
// after that, or when the lock file cannot be made, the program runs without it (logged).
std::optional<RunLock> HoldDataFile(const QString& dataFile);

} // namespace quillary
