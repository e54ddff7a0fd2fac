// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli_options.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillary::cli {

// The record type and its columns for delimited text: --kind person|organization|website|address|
// phone|email|fax, and --fields "Title,First Name,..." (every field of the kind when absent). Fails with a message
// naming the offered fields.
struct RecordColumns
{
    int kind = 0;
    std::vector<std::string> fields;
};
std::optional<RecordColumns> RecordColumnsOf(const CliOptions& options, std::ostream& err);

} // namespace quillary::cli
