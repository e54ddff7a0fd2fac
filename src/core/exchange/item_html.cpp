// SPDX-License-Identifier: GPL-3.0-or-later
// How items other than persons and organizations appear on a published page.
#include "actions/mail_address.h"
#include "actions/mailto_link.h"
#include "actions/web_link.h"
#include "exchange/html_entry.h"
#include "exchange/html_text.h"
#include "model/item_kind.h"
#include "model/items_contact.h"
#include "model/items_group.h"
#include "model/tree_node.h"

#include <ostream>

namespace quillary {

void TKPXObject::WriteHTML(std::ostream& out, std::string_view) const
{
    WriteHtmlLine(out, {"<em><strong>", EscapeHtml(GetTitle()), "</em></strong> ", EscapeHtml(GetTarget()),
                        DashComment(*this), "<br>"});
}

void TKPXObject::WriteHTMLLink(std::ostream&, std::string_view) const {}

bool TKPXObject::ListInIndex() const
{
    return true;
}

namespace {
void WriteDetailEntries(std::ostream& out, const TKPXObject& owner)
{
    for (int i = 0; i < owner.ChildCount(); ++i)
        owner.ChildAt(i)->WriteHTML(out, {});
}
} // namespace

void TFolderObject::WriteHTML(std::ostream& out, std::string_view) const
{
    WriteHtmlLine(out, {"<p>", AnchorHeading(*this)});
    WriteCommentLine(out, *this);
    WriteHtmlLine(out, {"<blockquote>"});
    WriteDetailEntries(out, *this);
    WriteHtmlLine(out, {"</blockquote>"});
}

void TFolderObject::WriteHTMLLink(std::ostream& out, std::string_view prefix) const
{
    WriteIndexLink(out, prefix, *this, {"folder.gif", 15, 13});
}

void TTeamObject::WriteHTML(std::ostream& out, std::string_view) const
{
    WriteHtmlLine(out, {AnchorHeading(*this)});
    WriteCommentLine(out, *this);
    WriteDetailEntries(out, *this);
}

void TTeamObject::WriteHTMLLink(std::ostream& out, std::string_view prefix) const
{
    WriteIndexLink(out, prefix, *this, {"team.gif", 16, 16});
}

void TWebObject::WriteHTML(std::ostream& out, std::string_view) const
{
    const TreeNode* node = GetTreeNode();
    const TreeNode* parent = node ? node->Parent() : nullptr;
    const bool underWebsite = parent && parent->Data() && parent->Data()->GetKind() == KindWebsite;
    if (underWebsite && node == parent->FirstChild())
        WriteHtmlLine(out, {"<blockquote>"});
    // The index links to a website with sub-websites, so its entry needs an anchor to land on.
    if (ListInIndex())
        WriteHtmlLine(out, {"<a name=\"", EscapeHtml(GetTitle()), "\"></a>"});
    // The address is the user's own link and stays as typed, only kept inside its attribute; one
    // that must never be a live link ("javascript:", "file:" ...) is shown as text.
    if (LinkProblem(GetTarget()))
        TKPXObject::WriteHTML(out, {});
    else
        WriteHtmlLine(out, {"<a href=\"", EscapeHtml(GetTarget()), "\">", EscapeHtml(GetTitle()), "</a>",
                            DashComment(*this), "<br>"});
    if (underWebsite && node == parent->LastChild())
        WriteHtmlLine(out, {"</blockquote>"});
}

void TWebObject::WriteHTMLLink(std::ostream& out, std::string_view prefix) const
{
    WriteIndexLink(out, prefix, *this, {"web.gif", 16, 16});
}

bool TWebObject::ListInIndex() const
{
    return GetTreeNode() && GetTreeNode()->HasChildren();
}

void TEMailObject::WriteHTML(std::ostream& out, std::string_view) const
{
    // Only a plain address becomes a link: "x@y?attach=..." would be a mail link that attaches files.
    if (!IsEMailAddress(GetTarget()) || MailAddressProblem(GetTarget())) {
        TKPXObject::WriteHTML(out, {});
        return;
    }
    WriteHtmlLine(out, {"<em><strong>", EscapeHtml(GetTitle()), " </em></strong><a href=\"",
                        EscapeHtml(MailtoLink(GetTarget())), "\">", EscapeHtml(GetTarget()), "</a>", DashComment(*this),
                        "<br>"});
}

void TAddressObject::WriteHTML(std::ostream& out, std::string_view) const
{
    WriteHtmlLine(out, {"<em><strong>", EscapeHtml(GetTitle()), "</em></strong><br>"});
    WriteCommentLine(out, *this);
    for (const std::string& line : Lines())
        if (!line.empty())
            WriteHtmlLine(out, {EscapeHtml(line), "<br>"});
    WriteHtmlLine(out, {EscapeHtml(City()), ", ", EscapeHtml(State()), " ", EscapeHtml(PostCode()), "<br>"});
    if (!Country().empty())
        WriteHtmlLine(out, {EscapeHtml(Country()), "<br>"});
}

} // namespace quillary
