// SPDX-License-Identifier: GPL-3.0-or-later
// Cards other clients write go back as they wrote them: an edit here changes the one line it
// touched, in that card's version and form, and a card nothing changed in is not sent.
#include "support/sync_harness.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
std::string Card(const std::string& version, const std::vector<std::string>& lines)
{
    std::string card = "BEGIN:VCARD\r\nVERSION:" + version + "\r\n";
    for (const std::string& line : lines)
        card += line + "\r\n";
    return card + "END:VCARD\r\n";
}

void SetPhone(TPartyObject& party, int nth, const std::string& number)
{
    for (int i = 0; i < party.ChildCount(); ++i)
        if (party.ChildAt(i)->GetKind() == KindPhone && nth-- == 0)
            party.ChildAt(i)->SetTarget(number);
}

void ReplaceInNote(TPartyObject& party, const std::string& from, const std::string& to)
{
    std::string note = party.GetComment();
    const std::size_t at = note.find(from);
    ASSERT_NE(at, std::string::npos) << note;
    party.SetComment(note.replace(at, from.size(), to));
}

struct FidelityRow
{
    const char* client = "";
    std::string version;
    std::vector<std::string> lines;
    std::function<void(TPartyObject&)> edit;
    std::string before; // the one line the edit changes, as the server has it
    std::string after;  // and as it goes back
};

const std::vector<FidelityRow>& Rows()
{
    static const std::vector<FidelityRow> rows = {
        {"khard 4.0, phone as a tel: URI",
         "4.0",
         {"UID:ann-uid", "FN:Ann Lee", "N:Lee;Ann;;;", "TEL;VALUE=uri;TYPE=cell:tel:+1-555-0100",
          "EMAIL;TYPE=home:ann@example.org"},
         [](TPartyObject& p) { SetPhone(p, 0, "+1-555-0199"); },
         "TEL;VALUE=uri;TYPE=cell:tel:+1-555-0100",
         "TEL;VALUE=uri;TYPE=cell:tel:+1-555-0199"},
        {"4.0 with PREF=1 on the second phone",
         "4.0",
         {"UID:cy-uid", "FN:Cy Ode", "N:Ode;Cy;;;", "TEL;VALUE=uri;TYPE=work:tel:+1-555-0110",
          "TEL;VALUE=uri;PREF=1;TYPE=\"voice,cell\":tel:+1-555-0111"},
         [](TPartyObject& p) { SetPhone(p, 1, "+1-555-0112"); },
         "TEL;VALUE=uri;PREF=1;TYPE=\"voice,cell\":tel:+1-555-0111",
         "TEL;VALUE=uri;PREF=1;TYPE=\"voice,cell\":tel:+1-555-0112"},
        {"khard 3.0",
         "3.0",
         {"FN:Dee Ash", "N:Ash;Dee;;;", "TEL;TYPE=home:555-0120", "UID:dee-uid"},
         [](TPartyObject& p) { SetPhone(p, 0, "555-0121"); },
         "TEL;TYPE=home:555-0120",
         "TEL;TYPE=home:555-0121"},
        {"Evolution 3.0, first phone edited",
         "3.0",
         {"UID:eve-uid", "X-EVOLUTION-FILE-AS:Kay\\, Eve", "FN:Eve Kay", "N:Kay;Eve;;;", "TEL;TYPE=CELL:555-0130",
          "TEL;TYPE=WORK:555-0131", "EMAIL;TYPE=WORK:eve@example.org"},
         [](TPartyObject& p) { SetPhone(p, 0, "555-0139"); },
         "TEL;TYPE=CELL:555-0130",
         "TEL;TYPE=CELL:555-0139"},
        {"Apple 3.0 with item groups and labels",
         "3.0",
         {"PRODID:-//Apple Inc.//iOS 17.0//EN", "N:Roe;Bob;;;", "FN:Bob Roe",
          "item1.TEL;type=CELL;type=VOICE;type=pref:(555) 010-0140", "item2.TEL:(555) 010-0141",
          "item2.X-ABLabel:_$!<Other>!$_", "UID:bob-uid"},
         [](TPartyObject& p) { SetPhone(p, 0, "(555) 010-0149"); },
         "item1.TEL;type=CELL;type=VOICE;type=pref:(555) 010-0140",
         "item1.TEL;type=CELL;type=VOICE;type=pref:(555) 010-0149"},
        {"Nextcloud 3.0, labelled second phone edited",
         "3.0",
         {"PRODID:-//Sabre//Sabre VObject 4.5.4//EN", "UID:fay-uid", "FN:Fay Orr", "N:Orr;Fay;;;",
          "TEL;TYPE=\"HOME,VOICE\":+1 555 0150", "item1.TEL:+1 555 0151", "item1.X-ABLABEL:Studio"},
         [](TPartyObject& p) { SetPhone(p, 1, "+1 555 0159"); },
         "item1.TEL:+1 555 0151",
         "item1.TEL:+1 555 0159"},
        {"3.0 with one number twice, the first (the primary) edited",
         "3.0",
         {"UID:ida-uid", "FN:Ida Fry", "N:Fry;Ida;;;", "TEL:555-0170", "EMAIL:ida@example.org", "TEL:555-0170"},
         [](TPartyObject& p) { SetPhone(p, 0, "555-0179"); },
         "TEL:555-0170",
         "TEL:555-0179"},
        {"4.0 multi-line note, middle line edited",
         "4.0",
         {"UID:gus-uid", "FN:Gus Ray", "N:Ray;Gus;;;", "NOTE:met at the fair\\nlikes tea\\ncall after six",
          "TEL;VALUE=uri:tel:+1-555-0160"},
         [](TPartyObject& p) { ReplaceInNote(p, "likes tea", "likes coffee"); },
         "NOTE:met at the fair\\nlikes tea\\ncall after six",
         "NOTE:met at the fair\\nlikes coffee\\ncall after six"},
        {"3.0 multi-line note, text added at its end",
         "3.0",
         {"UID:hal-uid", "FN:Hal Fox", "N:Fox;Hal;;;", "NOTE:first\\n\\nsecond paragraph"},
         [](TPartyObject& p) { ReplaceInNote(p, "paragraph", "paragraph, and more"); },
         "NOTE:first\\n\\nsecond paragraph",
         "NOTE:first\\n\\nsecond paragraph\\, and more"},
    };
    return rows;
}

std::string Replaced(std::string card, const std::string& from, const std::string& to)
{
    const std::size_t at = card.find(from + "\r\n");
    return at == std::string::npos ? "" : card.replace(at, from.size(), to);
}
} // namespace

TEST(CardPatchFidelity, AnEditChangesOnlyItsLineInTheCardsOwnFormAndNoChangeSendsNothing)
{
    for (const bool bookIs4 : {true, false}) {
        for (const FidelityRow& row : Rows()) {
            SCOPED_TRACE(std::string(row.client) + (bookIs4 ? ", 4.0 book" : ", 3.0 book"));
            SyncHarness harness;
            harness.server.vcard4 = bookIs4;
            const std::string href = std::string(FakeAddressBook::Path) + "c.vcf";
            const std::string card = Card(row.version, row.lines);
            harness.server.Write(href, card);
            ASSERT_EQ(harness.Run().hereNew, 1);

            const SyncReport unchanged = harness.Run();
            EXPECT_EQ(unchanged.serverChanged, 0);
            EXPECT_EQ(harness.server.Cards().at(href).card, card);

            harness.Edit([&](ItemTree&, TreeNode& synced) {
                row.edit(static_cast<TPartyObject&>(*synced.FirstChild()->Data()));
            });
            const SyncReport edited = harness.Run();
            EXPECT_EQ(edited.serverChanged, 1);
            EXPECT_EQ(harness.server.Cards().at(href).card, Replaced(card, row.before, row.after));
            EXPECT_EQ(harness.Run().serverChanged, 0);
        }
    }
}

// Both sides changed the card: the merge's upload adds the phone typed here in the card's own
// version, whatever version the book prefers.
TEST(CardPatchFidelity, WhatAMergeAddsTakesTheFormOfTheCardsOwnVersion)
{
    for (const bool bookIs4 : {true, false}) {
        for (const std::string version : {"3.0", "4.0"}) {
            SCOPED_TRACE(version + " card, " + (bookIs4 ? "4.0 book" : "3.0 book"));
            SyncHarness harness;
            harness.server.vcard4 = bookIs4;
            const std::string href = std::string(FakeAddressBook::Path) + "m.vcf";
            harness.server.Write(href, Card(version, {"UID:mo-uid", "FN:Mo Ash", "N:Ash;Mo;;;", "NOTE:first"}));
            ASSERT_EQ(harness.Run().hereNew, 1);
            harness.Edit([&](ItemTree&, TreeNode& synced) {
                CreateItem(KindPhone, "Mobile", "+1 555 0177", "", *synced.FirstChild(), "{Phon}", 0);
            });
            harness.server.Write(href, Card(version, {"UID:mo-uid", "FN:Mo Ash", "N:Ash;Mo;;;", "NOTE:second"}));
            const SyncReport merged = harness.Run();
            EXPECT_EQ(merged.serverChanged, 1);
            const std::string card = harness.server.Cards().at(href).card;
            EXPECT_NE(card.find("VERSION:" + version + "\r\n"), std::string::npos) << card;
            EXPECT_NE(card.find("NOTE:second\r\n"), std::string::npos) << card;
            const std::vector<CardLine> lines = ParseCardLines(card);
            const auto phone = std::find_if(lines.begin(), lines.end(), [](const CardLine& l) { return l.name == "TEL"; });
            ASSERT_NE(phone, lines.end()) << card;
            // PREF=1 is 4.0's; 3.0 says TYPE=PREF.
            EXPECT_EQ(phone->params.find("PREF=1") != std::string::npos, version == "4.0") << card;
            EXPECT_EQ(harness.Run().serverChanged, 0);
        }
    }
}
