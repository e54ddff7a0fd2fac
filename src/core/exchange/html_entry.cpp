// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/html_entry.h"

#include "exchange/html_text.h"
#include "model/kpx_object.h"

#include <ostream>

namespace quillary {

std::string AnchorHeading(const TKPXObject& item)
{
    const std::string title = EscapeHtml(item.GetTitle());
    return "<a name=\"" + title + "\"><font size=4>" + title + "</font></a><br>";
}

void WriteIndexLink(std::ostream& out, std::string_view prefix, const TKPXObject& item, const IndexIcon& icon)
{
    const std::string title = EscapeHtml(item.GetTitle());
    WriteHtmlLine(out, {"<a href=\"", prefix, "#", title, "\"><img src=\"", icon.file,
                        "\" align=bottom border=0 hspace=5 width=", std::to_string(icon.width),
                        " height=", std::to_string(icon.height), ">", title, "</a><br>"});
}

void WriteCommentLine(std::ostream& out, const TKPXObject& item)
{
    if (!item.GetComment().empty())
        WriteHtmlLine(out, {EscapeHtml(item.GetComment()), "<br>"});
}

std::string DashComment(const TKPXObject& item)
{
    return item.GetComment().empty() ? std::string() : " - " + EscapeHtml(item.GetComment());
}

std::string VCardFileNames::Next(std::int32_t id)
{
    const int count = ++m_taken[id];
    return "vc" + std::to_string(id) + (count == 1 ? std::string() : "_" + std::to_string(count)) + ".vcf";
}

} // namespace quillary
