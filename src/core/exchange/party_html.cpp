// SPDX-License-Identifier: GPL-3.0-or-later
// How persons and organizations appear on a published page: a table with the primary details
// on top and the other details below.
#include "exchange/party_html.h"

#include "exchange/html_entry.h"
#include "exchange/html_text.h"
#include "exchange/item_html.h"
#include "model/item_kind.h"
#include "model/items_party.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace quillary {

namespace {
void WriteEntryOf(std::ostream& out, const TKPXObject* detail)
{
    if (detail)
        WriteItemHtml(out, *detail);
}

void WriteVCardLink(std::ostream& out, std::string_view fontSize, std::string_view vcardFile)
{
    WriteHtmlLine(out, {"<p><font size=", fontSize, "><a href=\"", EscapeHtml(vcardFile),
                        "\"><img src=\"vcard.gif\" align=left border=0 width=16 height=16>Get vCard</a></font></p>"});
}

void WriteNames(std::ostream& out, const TPersonObject& person)
{
    WriteHtmlLine(out, {EscapeHtml(person.Salutation()), " ", EscapeHtml(person.FirstName()), " ",
                        EscapeHtml(person.MiddleName()), " ", EscapeHtml(person.LastName()), "<br>"});
    // "Buyer, Acme Inc." under the names, for a person who has either.
    const std::string_view separator = person.JobTitle().empty() || person.Company().empty() ? "" : ", ";
    if (!person.JobTitle().empty() || !person.Company().empty())
        WriteHtmlLine(out, {EscapeHtml(person.JobTitle()), separator, EscapeHtml(person.Company()), "<br>"});
}

using Primaries = std::array<const TKPXObject*, TPartyObject::SlotCount>;

// The title cell with the primary address, beside the cell of the primary numbers and e-mail address.
void WriteFirstRow(std::ostream& out, const TPartyObject& party, const Primaries& primaries, std::string_view vcardFile)
{
    const auto* person = dynamic_cast<const TPersonObject*>(&party);
    WriteHtmlLine(out, {"<tr><td valign=top>", AnchorHeading(party)});
    WriteCommentLine(out, party);
    if (!vcardFile.empty())
        WriteVCardLink(out, person ? "2" : "1", vcardFile);
    if (person)
        WriteNames(out, *person);
    WriteEntryOf(out, primaries[TPartyObject::SlotAddress]);
    WriteHtmlLine(out, {"</td><td valign=top>"});
    for (auto slot : {TPartyObject::SlotPhone, TPartyObject::SlotFax, TPartyObject::SlotEMail})
        WriteEntryOf(out, primaries[slot]);
    WriteHtmlLine(out, {"</td></tr>"});
}

// The primary website, beside the other details. A detail that merely shares its title with a
// primary of another kind is one of the others: only the details shown above are left out.
void WriteSecondRow(std::ostream& out, const TPartyObject& party, const Primaries& primaries)
{
    const bool spaced = party.GetKind() == KindPerson;
    WriteHtmlLine(out, {"<tr><td valign=top>"});
    WriteEntryOf(out, primaries[TPartyObject::SlotWebsite]);
    WriteHtmlLine(out, {"</td><td valign=top>"});
    for (int i = 0; i < party.ChildCount(); ++i) {
        const TKPXObject* detail = party.ChildAt(i);
        if (std::find(primaries.begin(), primaries.end(), detail) != primaries.end())
            continue;
        WriteItemHtml(out, *detail);
        if (spaced)
            WriteHtmlLine(out, {"<p>"});
    }
    WriteHtmlLine(out, {"</td></tr></table>"});
}
} // namespace

void WritePartyEntry(std::ostream& out, const TPartyObject& party, std::string_view vcardFile)
{
    Primaries primaries{};
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        primaries[slot] = party.PrimaryChild(static_cast<TPartyObject::Slot>(slot));
    WriteHtmlLine(out, {"<p><table width=100%>"});
    WriteFirstRow(out, party, primaries, vcardFile);
    WriteSecondRow(out, party, primaries);
    WriteHtmlLine(out, {"<hr>"});
}

} // namespace quillary
