// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// Path helpers that take "/" and "\" alike, since stored paths may come from other systems.
// The folder part, up to and including the last separator (or a drive's "C:"); empty when none.
std::string ExtractFilePath(std::string_view path);
// The part after the folder.
std::string ExtractFileName(std::string_view path);

} // namespace quillary
