// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"

#include <filesystem>
#include <istream>
#include <string_view>

namespace quillary {

class TreeNode;

// An e-mail program's nickname file: "alias" lines naming a nickname and its addresses, and
// "note" lines holding a text about a nickname.
inline constexpr std::string_view NicknameFileName = "nndbase.txt";
inline constexpr std::string_view NicknameFolderTitle = "Eudora Addresses";

// Makes the folder "Eudora Addresses" under root and, in it, one e-mail address per alias line
// that holds one (titled by the nickname); a note line becomes the comment of the first e-mail
// address of its nickname, whole. made counts the e-mail addresses; rejected counts the alias
// lines without an address, the note lines whose nickname is unknown, and the lines of more than
// MaxFieldsPerRow words. The directory form
// reads the nickname file from the folder and does nothing when it is missing; it throws
// FileError when the file cannot be read.
ImportCounts ImportEudora(std::istream& nicknames, TreeNode& root);
ImportCounts ImportEudora(const std::filesystem::path& directory, TreeNode& root);

} // namespace quillary
