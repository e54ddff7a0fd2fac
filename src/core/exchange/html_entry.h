// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
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
// The vCard files of the persons and organizations of one site, beside the pages: "vc" +
// identifier + ".vcf", and for each further item that shares an identifier (files written by
// other means may repeat one) "vc" + identifier + "_2.vcf", "_3" and so on, so no card replaces
// another.
class VCardFileNames
{
public:
    std::string Next(std::int32_t id);

private:
    std::map<std::int32_t, int> m_taken;
};

} // namespace quillary
