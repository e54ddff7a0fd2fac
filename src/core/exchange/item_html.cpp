// SPDX-License-Identifier: GPL-3.0-or-later
// How items appear on a published page; persons and organizations in party_html.cpp.
#include "exchange/item_html.h"

#include "exchange/html_entry.h"
#include "exchange/html_text.h"
#include "exchange/party_html.h"
#include "links/mail_address.h"
#include "links/mailto_link.h"
#include "links/web_link.h"
#include "model/item_kind.h"
#include "model/items_contact.h"
#include "model/items_document.h"
#include "model/items_group.h"
#include "model/items_party.h"
#include "model/tree_node.h"

#include <ostream>

namespace quillary {

namespace {
void WritePlainEntry(std::ostream& out, const TKPXObject& item)
{
    WriteHtmlLine(out, {"<em><strong>", EscapeHtml(item.GetTitle()), "</em></strong> ", EscapeHtml(item.GetTarget()),
                        DashComment(item), "<br>"});
}

void WriteDetailEntries(std::ostream& out, const TKPXObject& owner)
{
    for (int i = 0; i < owner.ChildCount(); ++i)
        WriteItemHtml(out, *owner.ChildAt(i));
}

void WriteFolderEntry(std::ostream& out, const TFolderObject& folder)
{
    WriteHtmlLine(out, {"<p>", AnchorHeading(folder)});
    WriteCommentLine(out, folder);
    WriteHtmlLine(out, {"<blockquote>"});
    WriteDetailEntries(out, folder);
    WriteHtmlLine(out, {"</blockquote>"});
}

void WriteTeamEntry(std::ostream& out, const TTeamObject& team)
{
    WriteHtmlLine(out, {AnchorHeading(team)});
    WriteCommentLine(out, team);
    WriteDetailEntries(out, team);
}

// Sub-websites are indented under their parent.
void WriteWebsiteEntry(std::ostream& out, const TWebObject& website)
{
    const TreeNode* node = website.GetTreeNode();
    const TreeNode* parent = node ? node->Parent() : nullptr;
    const bool underWebsite = parent && parent->Data() && parent->Data()->GetKind() == KindWebsite;
    if (underWebsite && node == parent->FirstChild())
        WriteHtmlLine(out, {"<blockquote>"});
    // The index links to a website with sub-websites, so its entry needs an anchor to land on.
    if (website.ListInIndex())
        WriteHtmlLine(out, {"<a name=\"", EscapeHtml(website.GetTitle()), "\"></a>"});
    // The address is the user's own link and stays as typed, only kept inside its attribute; one
    // that must never be a live link ("javascript:", "file:" ...) is shown as text.
    if (LinkProblem(website.GetTarget()))
        WritePlainEntry(out, website);
    else
        WriteHtmlLine(out, {"<a href=\"", EscapeHtml(website.GetTarget()), "\">", EscapeHtml(website.GetTitle()),
                            "</a>", DashComment(website), "<br>"});
    if (underWebsite && node == parent->LastChild())
        WriteHtmlLine(out, {"</blockquote>"});
}

void WriteEMailEntry(std::ostream& out, const TEMailObject& email)
{
    // Only a plain address becomes a link: "x@y?attach=..." would be a mail link that attaches files.
    if (!IsEMailAddress(email.GetTarget()) || MailAddressProblem(email.GetTarget())) {
        WritePlainEntry(out, email);
        return;
    }
    WriteHtmlLine(out, {"<em><strong>", EscapeHtml(email.GetTitle()), " </em></strong><a href=\"",
                        EscapeHtml(MailtoLink(email.GetTarget())), "\">", EscapeHtml(email.GetTarget()), "</a>",
                        DashComment(email), "<br>"});
}

void WriteAddressEntry(std::ostream& out, const TAddressObject& address)
{
    WriteHtmlLine(out, {"<em><strong>", EscapeHtml(address.GetTitle()), "</em></strong><br>"});
    WriteCommentLine(out, address);
    for (const std::string& line : address.Lines())
        if (!line.empty())
            WriteHtmlLine(out, {EscapeHtml(line), "<br>"});
    WriteHtmlLine(out, {EscapeHtml(address.City()), ", ", EscapeHtml(address.State()), " ",
                        EscapeHtml(address.PostCode()), "<br>"});
    if (!address.Country().empty())
        WriteHtmlLine(out, {EscapeHtml(address.Country()), "<br>"});
}
} // namespace

void WriteItemHtml(std::ostream& out, const TKPXObject& item, std::string_view vcardFile)
{
    if (const auto* party = dynamic_cast<const TPartyObject*>(&item))
        WritePartyEntry(out, *party, vcardFile);
    else if (const auto* folder = dynamic_cast<const TFolderObject*>(&item))
        WriteFolderEntry(out, *folder);
    else if (const auto* team = dynamic_cast<const TTeamObject*>(&item))
        WriteTeamEntry(out, *team);
    else if (const auto* website = dynamic_cast<const TWebObject*>(&item))
        WriteWebsiteEntry(out, *website);
    else if (const auto* email = dynamic_cast<const TEMailObject*>(&item))
        WriteEMailEntry(out, *email);
    else if (const auto* address = dynamic_cast<const TAddressObject*>(&item))
        WriteAddressEntry(out, *address);
    // Documents are files on this machine: a published page has nothing to show of them.
    else if (!dynamic_cast<const TDocObject*>(&item))
        WritePlainEntry(out, item);
}

void WriteItemIndexLink(std::ostream& out, const TKPXObject& item, std::string_view prefix)
{
    if (const auto* party = dynamic_cast<const TPartyObject*>(&item))
        WriteIndexLink(out, prefix, *party, {party->GetKind() == KindPerson ? "person.gif" : "org.gif", 16, 16});
    else if (dynamic_cast<const TFolderObject*>(&item))
        WriteIndexLink(out, prefix, item, {"folder.gif", 15, 13});
    else if (dynamic_cast<const TTeamObject*>(&item))
        WriteIndexLink(out, prefix, item, {"team.gif", 16, 16});
    else if (dynamic_cast<const TWebObject*>(&item))
        WriteIndexLink(out, prefix, item, {"web.gif", 16, 16});
}

} // namespace quillary
