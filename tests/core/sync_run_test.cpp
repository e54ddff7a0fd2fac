// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/sync_harness.h"

#include "model/items_contact.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
std::string Href(const std::string& name)
{
    return std::string(FakeAddressBook::Path) + name + ".vcf";
}

// Jane here, Bob (with a photo and properties of other programs) on the server, and Eve outside
// the synced folder; one first run between them.
SyncHarness FirstSynced()
{
    SyncHarness harness;
    harness.Edit([](ItemTree& tree, TreeNode& synced) {
        AddPerson(synced, "Jane", "Doe", "555 0100", "jane@example.org");
        AddPerson(*FindNodeByPath(tree.Root(), "My Contacts/Elsewhere"), "Eve", "Out", "555 0300");
    });
    harness.server.Write(Href("bob"), OtherCard("bob-uid", "Bob", "Roe",
                                                {"TEL;TYPE=cell:555 0200", "PHOTO:data:image/png;base64,iVBORw0KGgo=",
                                                 "X-PHONETIC-FIRST-NAME:Bobby", "item1.URL:https://bob.example",
                                                 "item1.X-ABLabel:Blog"}));
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
    return harness;
}

int Changes(const SyncReport& report)
{
    return report.serverNew + report.serverChanged + report.serverDeleted + report.hereNew + report.hereChanged +
           report.hereDeleted;
}

void SetPhone(TPartyObject& party, const std::string& number)
{
    for (int i = 0; i < party.ChildCount(); ++i)
        if (party.ChildAt(i)->GetKind() == KindPhone)
            party.ChildAt(i)->SetTarget(number);
}
} // namespace

TEST(SyncRun, FirstRunTakesEachSidesContactsToTheOtherAndASecondFindsNothing)
{
    SyncHarness harness;
    harness.Edit([](ItemTree& tree, TreeNode& synced) {
        AddPerson(synced, "Jane", "Doe", "555 0100", "jane@example.org");
        CreateItem(KindOrganization, "Acme", "", "", synced, "", 0);
        // Named without a composed name, as other programs' files may leave a person: its card
        // reads back with one, and is still the same card.
        static_cast<TPersonObject*>(CreateItem(KindPerson, "Mo Bare", "", "", synced, "", 0))
            ->SetNames("", "Mo", "", "Bare");
        AddPerson(*FindNodeByPath(tree.Root(), "My Contacts/Elsewhere"), "Eve", "Out", "555 0300");
    });
    harness.server.Write(Href("bob"), OtherCard("bob-uid", "Bob", "Roe", {"TEL:555 0200"}));
    const SyncReport first = harness.Run();
    EXPECT_EQ(first.SummaryLine(), "server: 3 new, 0 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted");
    // Jane went up under the account's UID and href; Eve, outside the folder, did not.
    ASSERT_EQ(harness.server.Cards().size(), 4U);
    EXPECT_NE(harness.ServerCard("Acme").find("KIND:org"), std::string::npos);
    const std::string jane = harness.ServerCard("Jane Doe");
    EXPECT_NE(jane.find("UID:5a17-"), std::string::npos) << jane;
    EXPECT_EQ(harness.HrefOf("Jane Doe").rfind(std::string(FakeAddressBook::Path) + "5a17-", 0), 0U);
    EXPECT_NE(jane.find("555 0100"), std::string::npos);
    EXPECT_NE(jane.find("jane@example.org"), std::string::npos);
    // Bob landed in the synced folder.
    ItemTree tree;
    std::istringstream in(harness.data);
    LoadDataStream(in, tree.Root());
    const TPartyObject* bob = FindParty(tree, "Bob Roe");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(NodePath(*bob->GetTreeNode()), "My Contacts/Synced/Bob Roe");
    EXPECT_NE(harness.Facts().find(": 555 0200"), std::string::npos) << harness.Facts();

    const std::string data = harness.data;
    const int requests = harness.server.requests;
    const SyncReport second = harness.Run();
    EXPECT_EQ(Changes(second), 0) << second.SummaryLine();
    EXPECT_LE(harness.server.requests - requests, 2);
    EXPECT_EQ(harness.data, data);
}

TEST(SyncRun, AnEditOnEachSideReachesTheOther)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree& tree, TreeNode&) { SetPhone(*FindParty(tree, "Jane Doe"), "555 0111"); });
    std::string bob = harness.ServerCard("Bob Roe");
    bob.replace(bob.find("555 0200"), 8, "555 0222");
    harness.server.Write(harness.HrefOf("Bob Roe"), bob);
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.SummaryLine(), "server: 0 new, 1 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted");
    EXPECT_NE(harness.ServerCard("Jane Doe").find("555 0111"), std::string::npos);
    EXPECT_NE(harness.Facts().find("555 0222"), std::string::npos);
    EXPECT_EQ(harness.Facts().find("555 0200"), std::string::npos);
    EXPECT_EQ(Changes(harness.Run()), 0);
}

// A run that finds every contact agreeing keeps a digest of each; later runs read only the contacts
// whose digest moved, and edits on either side still travel.
TEST(SyncRun, ContactsFoundAgreeingAreReadAgainOnlyOnceEitherSideChanges)
{
    SyncHarness harness = FirstSynced();
    EXPECT_EQ(Changes(harness.Run()), 0);
    for (const SyncedCard& card : ReadSyncStateText(*harness.state).cards)
        EXPECT_NE(card.agreed, 0U) << card.href;
    const std::string kept = *harness.state;
    EXPECT_EQ(Changes(harness.Run()), 0);
    EXPECT_EQ(*harness.state, kept);

    harness.Edit([](ItemTree& tree, TreeNode&) { SetPhone(*FindParty(tree, "Jane Doe"), "555 0111"); });
    std::string bob = harness.ServerCard("Bob Roe");
    bob.replace(bob.find("555 0200"), 8, "555 0222");
    harness.server.Write(harness.HrefOf("Bob Roe"), bob);
    EXPECT_EQ(harness.Run().SummaryLine(), "server: 0 new, 1 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted");
    EXPECT_NE(harness.ServerCard("Jane Doe").find("555 0111"), std::string::npos);
    EXPECT_NE(harness.Facts().find("555 0222"), std::string::npos);
    EXPECT_EQ(Changes(harness.Run()), 0);
    EXPECT_EQ(Changes(harness.Run()), 0);
}

TEST(SyncRun, TheSameFieldEditedOnBothSidesKeepsBothAndNamesTheContact)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree& tree, TreeNode&) {
        TPartyObject& jane = *FindParty(tree, "Jane Doe");
        SetPhone(jane, "555 0111");
        jane.SetComment("call after six");
    });
    std::string jane = harness.ServerCard("Jane Doe");
    jane.replace(jane.find("555 0100"), 8, "555 0199");
    jane.insert(jane.find("END:VCARD"), "NOTE:prefers mail\r\n");
    harness.server.Write(harness.HrefOf("Jane Doe"), jane);
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.conflicts, std::vector<std::string>{"Jane Doe"});
    EXPECT_NE(report.SummaryLine().find("; 1 conflict kept both: Jane Doe"), std::string::npos);
    // Both phones on both sides; the local note stays, the server's stands beside it.
    const std::string facts = harness.Facts();
    EXPECT_NE(facts.find("555 0111"), std::string::npos) << facts;
    EXPECT_NE(facts.find("555 0199"), std::string::npos) << facts;
    EXPECT_NE(facts.find("comment: call after six [Conflict] the server's note: prefers mail"), std::string::npos)
        << facts;
    const std::string card = harness.ServerCard("Jane Doe");
    EXPECT_NE(card.find("555 0111"), std::string::npos);
    EXPECT_NE(card.find("555 0199"), std::string::npos);
    EXPECT_NE(card.find("prefers mail"), std::string::npos);
    EXPECT_EQ(Changes(harness.Run()), 0);
}

// Another client writes the e-mail address over as a plain line while it changes here too: the
// conflict keeps both, and the card it sends reads back as the tree holds it, so the next run
// finds nothing. A plain 3.0 line reads as "E-Mail", one with TYPE=INTERNET as "Internet".
TEST(SyncRun, AConflictOverAPlainLineIsSettledInOneRunInEitherVersion)
{
    for (const bool vcard4 : {true, false}) {
        SCOPED_TRACE(vcard4);
        SyncHarness harness;
        harness.server.vcard4 = vcard4;
        harness.Edit(
            [](ItemTree&, TreeNode& synced) { AddPerson(synced, "Jane", "Doe", "555 0100", "jane@example.org"); });
        harness.Run();
        std::vector<CardLine> lines = ParseCardLines(harness.ServerCard("Jane Doe"));
        for (CardLine& line : lines)
            if (line.name == "EMAIL")
                line = PlainLine("EMAIL", "doe@example.org");
        harness.server.Write(harness.HrefOf("Jane Doe"), WriteCardText(lines, vcard4 ? "4.0" : "3.0"));
        harness.Edit([](ItemTree& tree, TreeNode&) {
            TPartyObject& jane = *FindParty(tree, "Jane Doe");
            for (int i = 0; i < jane.ChildCount(); ++i)
                if (jane.ChildAt(i)->GetKind() == KindEMail)
                    jane.ChildAt(i)->SetTarget("jane.doe@example.org");
        });
        EXPECT_EQ(harness.Run().conflicts, std::vector<std::string>{"Jane Doe"});
        const std::string facts = harness.Facts();
        EXPECT_NE(facts.find("e-mail E-Mail: doe@example.org"), std::string::npos) << facts;
        EXPECT_EQ(Changes(harness.Run()), 0) << harness.ServerCard("Jane Doe");
    }
}

TEST(SyncRun, PropertiesTheTreeCannotHoldSurviveALocalEdit)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Bob Roe")->SetComment("owes me a book"); });
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.serverChanged, 1);
    const std::string bob = harness.ServerCard("Bob Roe");
    for (const char* kept :
         {"UID:bob-uid", "PHOTO:data:image/png;base64,iVBORw0KGgo=", "X-PHONETIC-FIRST-NAME:Bobby",
          "item1.URL:https://bob.example", "item1.X-ABLabel:Blog", "TEL;TYPE=cell:555 0200", "NOTE:owes me a book"})
        EXPECT_NE(bob.find(kept), std::string::npos) << kept << "\n" << bob;
    EXPECT_EQ(harness.HrefOf("Bob Roe"), Href("bob"));
}

// Another client makes Bob's card a company's and later a person's again: the item follows with
// its identifier, its documents and what hangs below it, and no later run turns the card back.
TEST(SyncRun, AKindChangedByAnotherClientChangesTheItemAndStaysChanged)
{
    SyncHarness harness = FirstSynced();
    std::int32_t id = 0;
    harness.Edit([&](ItemTree& tree, TreeNode&) {
        TPartyObject& bob = *FindParty(tree, "Bob Roe");
        id = bob.GetID();
        CreateItem(KindDocument, "Contract", "/home/me/contract.odt", "", *bob.GetTreeNode(), "", 0);
        CreateItem(KindTeam, "Crew", "", "", *bob.GetTreeNode(), "", 0);
    });
    harness.Run();
    const auto expectItem = [&](const char* title, int kind) {
        ItemTree tree;
        std::istringstream in(harness.data);
        LoadDataStream(in, tree.Root());
        const TPartyObject* item = FindParty(tree, title);
        ASSERT_NE(item, nullptr) << harness.Facts();
        EXPECT_EQ(item->GetKind(), kind);
        EXPECT_EQ(item->GetID(), id);
        EXPECT_NE(item->FindChild("Contract", KindDocument), nullptr);
        EXPECT_NE(item->FindChild("Crew", KindTeam), nullptr);
        EXPECT_EQ(NodePath(*item->GetTreeNode()->Parent()), "My Contacts/Synced");
    };

    const std::string href = harness.HrefOf("Bob Roe");
    std::string card = harness.ServerCard("Bob Roe");
    card.replace(card.find("FN:Bob Roe"), 10, "FN:Roe Trading\r\nORG:Roe Trading\r\nKIND:org");
    harness.server.Write(href, card);
    EXPECT_EQ(harness.Run().SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted");
    expectItem("Roe Trading", KindOrganization);
    EXPECT_EQ(Changes(harness.Run()), 0);
    EXPECT_NE(harness.ServerCard("Roe Trading").find("KIND:org"), std::string::npos);

    card = harness.ServerCard("Roe Trading");
    card.replace(card.find("KIND:org"), 8, "NOTE:back on his own");
    card.replace(card.find("FN:Roe Trading"), 14, "FN:Bob Roe");
    harness.server.Write(href, card);
    EXPECT_EQ(harness.Run().SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted");
    expectItem("Bob Roe", KindPerson);
    EXPECT_EQ(Changes(harness.Run()), 0);
    card = harness.ServerCard("Bob Roe");
    EXPECT_EQ(card.find("KIND:org"), std::string::npos) << card;
    for (const char* kept : {"PHOTO:data:image/png;base64,iVBORw0KGgo=", "X-PHONETIC-FIRST-NAME:Bobby"})
        EXPECT_NE(card.find(kept), std::string::npos) << kept << "\n" << card;

    // An organization's card need not carry ORG: its formatted name names it.
    card = harness.ServerCard("Bob Roe");
    if (const std::size_t org = card.find("\r\nORG:"); org != std::string::npos)
        card.erase(org, card.find("\r\n", org + 2) - org);
    card.replace(card.find("FN:Bob Roe"), 10, "FN:Roe Works\r\nKIND:org");
    harness.server.Write(href, card);
    harness.Run();
    expectItem("Roe Works", KindOrganization);
    EXPECT_EQ(Changes(harness.Run()), 0);
    EXPECT_FALSE(harness.ServerCard("Roe Works").empty());
}

TEST(SyncRun, DeletesGoBothWaysAndAChangeWinsOverADelete)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree&, TreeNode& synced) {
        for (const char* name : {"Al", "Cy", "Di", "Ed", "Fa"})
            AddPerson(synced, name, "Poe", "555 1000");
    });
    harness.Run();
    ASSERT_EQ(harness.server.Cards().size(), 7U);
    // Al goes here, Cy there; Di goes here but changes there, Ed goes there but changes here; Fa
    // goes here while the server gives its card a new ETag and nothing else.
    std::string di = harness.ServerCard("Di Poe");
    di.replace(di.find("555 1000"), 8, "555 1004");
    harness.server.Write(harness.HrefOf("Di Poe"), di);
    harness.server.Remove(harness.HrefOf("Cy Poe"));
    harness.server.Remove(harness.HrefOf("Ed Poe"));
    harness.server.Write(harness.HrefOf("Fa Poe"), harness.ServerCard("Fa Poe"));
    harness.Edit([](ItemTree& tree, TreeNode&) {
        DestroyItem(*FindParty(tree, "Al Poe"));
        DestroyItem(*FindParty(tree, "Di Poe"));
        DestroyItem(*FindParty(tree, "Fa Poe"));
        SetPhone(*FindParty(tree, "Ed Poe"), "555 1005");
    });
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.SummaryLine(), "server: 1 new, 0 changed, 2 deleted; here: 1 new, 0 changed, 1 deleted");
    const std::string facts = harness.Facts();
    EXPECT_EQ(facts.find("Al Poe"), std::string::npos);
    EXPECT_EQ(facts.find("Fa Poe"), std::string::npos);
    EXPECT_EQ(facts.find("Cy Poe"), std::string::npos);
    EXPECT_NE(facts.find("555 1004"), std::string::npos) << facts;
    EXPECT_NE(harness.ServerCard("Ed Poe").find("555 1005"), std::string::npos);
    EXPECT_TRUE(harness.HrefOf("Al Poe").empty());
    EXPECT_EQ(harness.server.Cards().size(), 4U);
    EXPECT_EQ(Changes(harness.Run()), 0);
}

TEST(SyncRun, AnItemMovedOutOfTheFolderIsDeletedThereAndOneMovedWithinStaysSynced)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree&, TreeNode& synced) {
        for (const char* name : {"Al", "Cy", "Di"})
            AddPerson(synced, name, "Poe");
        CreateItem(KindFolder, "Inner", "", "", synced, "", 0);
    });
    harness.Run();
    harness.Edit([](ItemTree& tree, TreeNode& synced) {
        tree.MoveNode(*FindParty(tree, "Al Poe")->GetTreeNode(), *FindNodeByPath(tree.Root(), "My Contacts/Elsewhere"));
        tree.MoveNode(*FindParty(tree, "Cy Poe")->GetTreeNode(), *FindNodeByPath(synced, "Synced/Inner"));
    });
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.SummaryLine(), "server: 0 new, 0 changed, 1 deleted; here: 0 new, 0 changed, 0 deleted");
    EXPECT_TRUE(harness.HrefOf("Al Poe").empty());
    EXPECT_FALSE(harness.HrefOf("Cy Poe").empty());
    EXPECT_NE(harness.Facts().find("Al Poe"), std::string::npos);
}

TEST(SyncRun, AnEmptiedServerIsRefusedUntilTheUserAllowsIt)
{
    SyncHarness harness = FirstSynced();
    for (const auto& [href, card] : std::map(harness.server.Cards()))
        harness.server.Remove(href);
    const std::string data = harness.data;
    const std::string state = *harness.state;
    const SyncReport refused = harness.Run();
    EXPECT_EQ(refused.outcome, SyncReport::Outcome::MassDeleteRefused);
    EXPECT_EQ(refused.deletesHere.size(), 2U);
    EXPECT_EQ(harness.data, data);
    // The state still has the token it had, so a run with leave sees the same deletes.
    EXPECT_EQ(ReadSyncStateText(*harness.state).syncToken, ReadSyncStateText(state).syncToken);

    SyncOptions allow;
    allow.allowMassDelete = true;
    EXPECT_EQ(harness.Run(allow).hereDeleted, 2);
    EXPECT_EQ(harness.Facts().find("Jane Doe"), std::string::npos);
    EXPECT_NE(harness.Facts().find("Eve Out"), std::string::npos);
}

TEST(SyncRun, DeletingMostContactsHereIsRefusedBeforeAnythingIsSent)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree&, TreeNode& synced) {
        AddPerson(synced, "Al", "Poe");
        AddPerson(synced, "Cy", "Poe");
    });
    harness.Run();
    // Three of four is more than half.
    harness.Edit([](ItemTree& tree, TreeNode&) {
        for (const char* name : {"Jane Doe", "Al Poe", "Cy Poe"})
            DestroyItem(*FindParty(tree, name));
    });
    const int requests = harness.server.requests;
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::MassDeleteRefused);
    EXPECT_EQ(report.deletesThere.size(), 3U);
    EXPECT_EQ(harness.server.Cards().size(), 4U);
    EXPECT_LE(harness.server.requests - requests, 1);
}

TEST(SyncRun, AConcurrentWriterIsMergedWithAndARunThatKeepsLosingIsLeftForTheNext)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree& tree, TreeNode&) { SetPhone(*FindParty(tree, "Bob Roe"), "555 0201"); });
    // Another client adds an e-mail address to Bob just before our upload arrives.
    bool once = true;
    harness.server.beforeWrite = [&](const std::string& href) {
        if (!once)
            return;
        once = false;
        std::string bob = harness.server.Cards().at(href).card;
        bob.insert(bob.find("END:VCARD"), "EMAIL:bob@example.org\r\n");
        harness.server.Write(href, bob);
    };
    SyncReport report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Done);
    EXPECT_EQ(report.serverChanged, 1);
    EXPECT_EQ(report.hereChanged, 1);
    EXPECT_NE(harness.ServerCard("Bob Roe").find("555 0201"), std::string::npos);
    EXPECT_NE(harness.ServerCard("Bob Roe").find("bob@example.org"), std::string::npos);
    EXPECT_NE(harness.Facts().find("bob@example.org"), std::string::npos);

    // A writer that answers every attempt: the contact waits for the next run, named.
    harness.Edit([](ItemTree& tree, TreeNode&) { SetPhone(*FindParty(tree, "Bob Roe"), "555 0202"); });
    int writes = 0;
    harness.server.beforeWrite = [&](const std::string& href) {
        std::string bob = harness.server.Cards().at(href).card;
        bob.insert(bob.find("END:VCARD"), "X-WRITE:" + std::to_string(++writes) + "\r\n");
        harness.server.Write(href, bob);
    };
    report = harness.Run();
    EXPECT_EQ(report.leftForNextRun, std::vector<std::string>{"Bob Roe"});
    EXPECT_NE(report.SummaryLine().find("left for the next run: Bob Roe"), std::string::npos);
    harness.server.beforeWrite = nullptr;
    harness.Run();
    EXPECT_NE(harness.ServerCard("Bob Roe").find("555 0202"), std::string::npos);
    EXPECT_NE(harness.ServerCard("Bob Roe").find("X-WRITE:2"), std::string::npos);
}

TEST(SyncRun, ItemsSharingAnIdentifierBecomeCardsOfTheirOwn)
{
    SyncHarness harness;
    harness.data = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Synced~~~~~~7\r\n{Fold}0\r\n"
                   "{2 3 }Ann A~~ Ann A~~~~55\r\n{Pers}~~Ann~~~~A~~~~~~~~~~~~~~0\r\n"
                   "{2 3 }Ann B~~ Ann B~~~~55\r\n{Pers}~~Ann~~~~B~~~~~~~~~~~~~~0\r\n";
    EXPECT_EQ(harness.Run().serverNew, 2);
    EXPECT_EQ(harness.server.Cards().size(), 2U);
    EXPECT_EQ(harness.Run().serverNew, 0);
    EXPECT_EQ(harness.server.Cards().size(), 2U);
    // The one kept under 55 is the one the state knows; the other got a fresh identifier.
    ItemTree tree;
    std::istringstream in(harness.data);
    LoadDataStream(in, tree.Root());
    EXPECT_NE(FindParty(tree, "Ann A")->GetID(), FindParty(tree, "Ann B")->GetID());
}

TEST(SyncRun, ADryRunDescribesThePlanAndChangesNothing)
{
    SyncHarness harness = FirstSynced();
    harness.Edit([](ItemTree& tree, TreeNode& synced) {
        SetPhone(*FindParty(tree, "Jane Doe"), "555 0111");
        AddPerson(synced, "Kim", "New");
    });
    harness.server.Write(Href("zed"), OtherCard("zed-uid", "Zed", "Zee"));
    const std::string data = harness.data;
    const std::string state = *harness.state;
    const auto cards = harness.server.Cards();
    SyncOptions dry;
    dry.dryRun = true;
    const SyncReport report = harness.Run(dry);
    EXPECT_EQ(report.SummaryLine(), "server: 1 new, 1 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted");
    EXPECT_EQ(harness.data, data);
    EXPECT_EQ(*harness.state, state);
    EXPECT_EQ(harness.server.Cards().size(), cards.size());
    EXPECT_EQ(harness.Run().SummaryLine(), report.SummaryLine());
}

TEST(SyncRun, ServersWithoutOrWithExpiredTokensAreCompared)
{
    for (const bool tokens : {false, true}) {
        SCOPED_TRACE(tokens);
        SyncHarness harness;
        harness.server.syncTokens = tokens;
        harness.server.sendEtags = tokens;
        harness.Edit([](ItemTree&, TreeNode& synced) { AddPerson(synced, "Jane", "Doe", "555 0100"); });
        harness.server.Write(Href("bob"), OtherCard("bob-uid", "Bob", "Roe"));
        harness.Run();
        harness.server.expireTokensBefore = 1000;
        harness.server.Write(Href("cy"), OtherCard("cy-uid", "Cy", "Poe"));
        const SyncReport report = harness.Run();
        EXPECT_EQ(report.SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted");
        EXPECT_EQ(Changes(harness.Run()), 0);
    }
}

// A card that went up after the run's token and was deleted there since: a server that tells
// only what differs from then leaves it out of the changes, and it must still go here. Al is new
// here; Ed, changed here while deleted there, goes up again as new.
TEST(SyncRun, ACardMadeAfterTheTokenAndDeletedThereGoesHereWhateverTheServerTellsOfIt)
{
    for (const bool net : {false, true}) {
        SCOPED_TRACE(net);
        SyncHarness harness = FirstSynced();
        harness.server.netChanges = net;
        harness.Edit([](ItemTree&, TreeNode& synced) { AddPerson(synced, "Ed", "Poe", "555 1000"); });
        harness.Run();
        harness.server.Remove(harness.HrefOf("Ed Poe"));
        harness.Edit([](ItemTree& tree, TreeNode& synced) {
            SetPhone(*FindParty(tree, "Ed Poe"), "555 1005");
            AddPerson(synced, "Al", "Poe", "555 1001");
        });
        EXPECT_EQ(harness.Run().SummaryLine(),
                  "server: 2 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted");
        harness.server.Remove(harness.HrefOf("Ed Poe"));
        harness.server.Remove(harness.HrefOf("Al Poe"));
        EXPECT_EQ(harness.Run().SummaryLine(),
                  "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 2 deleted");
        const std::string facts = harness.Facts();
        EXPECT_EQ(facts.find("Ed Poe"), std::string::npos) << facts;
        EXPECT_EQ(facts.find("Al Poe"), std::string::npos) << facts;
        EXPECT_EQ(Changes(harness.Run()), 0);
    }
}

// After the first run, whose uploads leave the next run a full listing, a second takes a token.
SyncHarness SyncedWithToken()
{
    SyncHarness harness = FirstSynced();
    harness.Run();
    EXPECT_FALSE(ReadSyncStateText(harness.state.value_or("")).syncToken.empty());
    return harness;
}

TEST(SyncRun, ASyncTokenRefusedWithAnErrorStatusFallsBackToAFullListingOnce)
{
    const std::vector<DavStatus> refusals = {{DavFailure::Server, 500, "500 Internal Server Error", {}},
                                             {DavFailure::Authentication, 403, "403 Forbidden", {}},
                                             {DavFailure::Server, 409, "409 Conflict", {}}};
    for (const DavStatus& refusal : refusals) {
        SCOPED_TRACE(refusal.message);
        SyncHarness harness = SyncedWithToken();
        harness.server.tokenRefusal = refusal;
        harness.server.Write(Href("cy"), OtherCard("cy-uid", "Cy", "Poe"));
        const int before = harness.server.requests;
        const SyncReport report = harness.Run();
        EXPECT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
        EXPECT_EQ(report.SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted");
        // The refused report, one listing and one fetch of the new card: no loop of reports.
        EXPECT_EQ(harness.server.requests - before, 3);
    }
    // A lost connection is no refusal of the token: the run fails and names it.
    SyncHarness harness = SyncedWithToken();
    harness.server.tokenRefusal = FakeAddressBook::Lost();
    EXPECT_EQ(harness.Run().outcome, SyncReport::Outcome::Failed);
}

TEST(SyncRun, ANetworkFailureNamesTheServerAndKeepsWhatWasDone)
{
    SyncHarness harness = FirstSynced();
    harness.server.failAt = harness.server.requests + 1;
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Failed);
    EXPECT_EQ(report.failure.failure, DavFailure::Network);
    EXPECT_NE(report.failure.message.find(FakeAddressBook::Url), std::string::npos);
}
