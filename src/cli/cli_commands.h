// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillary::cli {

// Exit statuses shared by every command.
// ExitRunning: the program itself has the data file open, so it is not changed behind its back.
// ExitMassDelete: a synchronisation would delete most contacts of a side and was not allowed to.
// ExitNoMatch: search found nothing, told as grep tells it.
enum ExitCode {
    ExitOk = 0,
    ExitFileError = 1,
    ExitNoMatch = 1,
    ExitUsage = 2,
    ExitSkipped = 3,
    ExitRunning = 4,
    ExitMassDelete = 5
};

// Runs one command line (without the program name); writes results to out and messages to err.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quillary::cli
