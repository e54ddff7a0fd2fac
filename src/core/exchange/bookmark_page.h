// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"

#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class TreeNode;

// A web browser's bookmark page and address-book page: HTML written one entry per line, each
// entry an anchor "<A HREF=...>text</A>".
inline constexpr std::string_view BookmarkFileName = "bookmark.htm";
inline constexpr std::string_view AddressFileName = "address.htm";

// The page title: the text between "<TITLE>" and "</TITLE>" on the first line that starts with
// "<TITLE>" (any case); "" when that line lacks the exact closing tag or no line starts so.
std::string GetBMTitle(const std::vector<std::string>& lines);
std::string GetBMTitle(std::istream& page);
std::string GetBMTitle(const std::filesystem::path& file); // throws FileError

// The first anchor of a line, found by its exact-case "<A": the link is the HREF attribute's value
// (name in any case; a quoted value is taken whole, blanks and commas included, without its
// quotes), the text what lies between the tag and the first exact-case "</A>" of the line (""
// when the line has none). False when the line holds no "<A".
bool GetAnchorInfo(std::string_view line, std::string& text, std::string& link);

// Each makes a folder titled by the page title under root and one item per anchor line in it:
// websites (title = anchor text, target = link) for bookmarks, e-mail addresses for the address
// book, where a link's exact-case "mailto:" is dropped. An anchor with neither text nor link
// (a named anchor, or a tag such as "<ADDRESS>") makes nothing and is counted as rejected, and so
// is a bookmark whose link must not be a live link (LinkProblem: "javascript:", "data:", ...);
// made counts the items in the folder. The directory forms read the page of that name from the
// folder and do nothing when it is missing; they throw FileError when it cannot be read.
ImportCounts ImportNSBook(std::istream& page, TreeNode& root);
ImportCounts ImportNSBook(const std::filesystem::path& directory, TreeNode& root);
ImportCounts ImportNSAddr(std::istream& page, TreeNode& root);
ImportCounts ImportNSAddr(const std::filesystem::path& directory, TreeNode& root);

} // namespace quillary
