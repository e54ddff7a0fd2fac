// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace quillary {

class TKPXObject;

// The picture in front of an item's index line, with its size in pixels.
struct IndexIcon
{
    std::string_view file;
    int width;
    int height;
};

// The pieces of published entries that several kinds share; item text in them is escaped.

// "<a name=...>" heading with the item's title, the target of its index line.
std::string AnchorHeading(const TKPXObject& item);
// The item's line in the index: its icon and title, linking to its anchor on the page at prefix.
void WriteIndexLink(std::ostream& out, std::string_view prefix, const TKPXObject& item, const IndexIcon& icon);
// The comment and "<br>" on a line of their own, when the item has a comment.
void WriteCommentLine(std::ostream& out, const TKPXObject& item);
// " - " and the comment to follow a one-line entry, or nothing when the item has no comment.
std::string DashComment(const TKPXObject& item);
// The vCard file of a person or organization beside the pages: "vc" + identifier + ".vcf".
std::string VCardFileName(std::int32_t id);

} // namespace quillary
