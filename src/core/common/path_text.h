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
// The name of the folder that holds the file: the last component of the folder part, trailing
// separators dropped ("News" for "C:\Favorites\News\Daily.url", "C:" for "C:\"). The
// file-system root "/" keeps its one separator as its name; a bare file name gives "".
std::string GetFolderName(std::string_view path);

} // namespace quillary
