// SPDX-License-Identifier: GPL-3.0-or-later
// What a server's cards may cost: large values stay out of the sync state yet survive every
// upload, cards over the budget are refused by name, and batches too large for one reply are
// asked for in halves.
#include "support/sync_harness.h"

#include "sync/held_values.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
std::string Href(const std::string& name)
{
    return std::string(FakeAddressBook::Path) + name + ".vcf";
}

std::string Photo(char fill, std::size_t bytes)
{
    return "PHOTO:data:image/jpeg;base64," + std::string(bytes, fill);
}

// Whether the card holds the line, unfolded, exactly.
bool HasLine(const std::string& card, const std::string& text)
{
    for (const CardLine& line : ParseCardLines(card))
        if (line.Text() == text)
            return true;
    return false;
}
} // namespace

TEST(SyncBudget, LargeValuesStayOutOfTheStateAndGoBackWithEveryUpload)
{
    SyncHarness harness;
    const std::string photo = Photo('Q', 200000);
    harness.server.Write(Href("bob"), OtherCard("bob-uid", "Bob", "Roe", {"TEL:555 0200", photo}));
    ASSERT_EQ(harness.Run().hereNew, 1);
    ASSERT_TRUE(harness.state);
    EXPECT_EQ(harness.state->find(std::string(1000, 'Q')), std::string::npos);
    EXPECT_LT(harness.state->size(), 4000U);
    EXPECT_TRUE(HoldsValues(*harness.state));

    // An edit here goes up over the server's whole card: the photo comes back byte for byte.
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Bob Roe")->SetComment("owes me a book"); });
    SyncReport report = harness.Run();
    EXPECT_EQ(report.serverChanged, 1) << report.SummaryLine();
    std::string bob = harness.ServerCard("Bob Roe");
    EXPECT_NE(bob.find("NOTE:owes me a book"), std::string::npos);
    EXPECT_TRUE(HasLine(bob, photo)) << bob.size();

    // Another client replaced the photo since: the next upload merges with its card and keeps it.
    const std::string newer = Photo('R', 150000);
    harness.server.Write(Href("bob"), OtherCard("bob-uid", "Bob", "Roe", {"TEL:555 0200", newer, "NOTE:owes me a book"}));
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Bob Roe")->SetComment("paid back"); });
    report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
    bob = harness.ServerCard("Bob Roe");
    EXPECT_NE(bob.find("paid back"), std::string::npos) << report.SummaryLine();
    EXPECT_TRUE(HasLine(bob, newer));
    EXPECT_FALSE(HasLine(bob, photo));
    EXPECT_EQ(harness.state->find(std::string(1000, 'R')), std::string::npos);
}

TEST(SyncBudget, CardsOverTheBudgetAreNamedAndLeftAloneOnBothSides)
{
    SyncHarness harness;
    harness.server.Write(Href("ann"), OtherCard("ann-uid", "Ann", "Lee", {"TEL:555 0100"}));
    harness.server.Write(Href("pat"), OtherCard("pat-uid", "Pat", "Photo", {Photo('P', MaxCardBytes)}));
    std::vector<std::string> lines(MaxCardLines + 1, "X-A:1");
    harness.server.Write(Href("tiny"), OtherCard("tiny-uid", "Tiny", "Lines", lines));
    SyncReport report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
    EXPECT_EQ(report.hereNew, 1);
    EXPECT_EQ(report.refused, (std::vector<std::string>{"Pat Photo (larger than 4 MiB)",
                                                         "Tiny Lines (more than 1024 lines)"}));
    EXPECT_NE(report.SummaryLine().find("not taken from the server: Pat Photo (larger than 4 MiB)"),
              std::string::npos);
    EXPECT_EQ(harness.server.Cards().size(), 3U);

    // A known card that grows past the budget stays as it was here; an edit here waits for it.
    harness.server.Write(Href("ann"), OtherCard("ann-uid", "Ann", "Lee", {"TEL:555 0100", Photo('A', MaxCardBytes)}));
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Ann Lee")->SetComment("moved"); });
    const std::string before = harness.server.Cards().at(Href("ann")).card;
    report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
    EXPECT_EQ(harness.server.Cards().at(Href("ann")).card, before);
    EXPECT_NE(report.SummaryLine().find("Ann Lee (larger than 4 MiB)"), std::string::npos) << report.SummaryLine();
    EXPECT_NE(harness.Facts().find("moved"), std::string::npos);
    EXPECT_EQ(report.hereDeleted + report.serverDeleted, 0);
}

TEST(SyncBudget, ABatchTooLargeForOneReplyIsAskedForInHalves)
{
    SyncHarness harness;
    for (int i = 0; i < 9; ++i)
        harness.server.Write(Href("c" + std::to_string(i)), OtherCard("c" + std::to_string(i), "C", std::to_string(i)));
    harness.server.maxFetch = 2;
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
    EXPECT_EQ(report.hereNew, 9);
    EXPECT_TRUE(report.refused.empty());
}

TEST(SyncBudget, ABookRecordedOnAnotherServerIsNotUsedUntilTheUserGivesIt)
{
    SyncHarness harness;
    harness.server.Write(Href("ann"), OtherCard("ann-uid", "Ann", "Lee"));
    ASSERT_EQ(harness.Run().hereNew, 1);
    SyncState moved = ReadSyncStateText(*harness.state);
    moved.bookUrl = "https://elsewhere.example/user/contacts/";
    harness.state = WriteSyncStateText(moved);
    const int requests = harness.server.requests;
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.outcome, SyncReport::Outcome::Failed);
    EXPECT_EQ(report.failure.failure, DavFailure::Moved);
    EXPECT_EQ(report.failure.movedTo, "https://elsewhere.example/user/contacts/");
    EXPECT_EQ(harness.server.requests, requests);
}

TEST(SyncBudget, OnlyLargeValuesTheTreeDoesNotHoldAreHeldAndOnlyInCardsReadAsUtf8)
{
    const std::string note = "NOTE:" + std::string(3000, 'n');
    const std::string card = OtherCard("u", "Ann", "Lee", {note, Photo('P', 3000), "X-SMALL:" + std::string(1000, 's')});
    const std::string held = CardWithValuesHeld(card);
    EXPECT_TRUE(HoldsValues(held));
    EXPECT_TRUE(HasLine(held, note)); // the tree holds notes
    EXPECT_TRUE(HasLine(held, "X-SMALL:" + std::string(1000, 's')));
    EXPECT_FALSE(HasLine(held, Photo('P', 3000)));
    EXPECT_EQ(CardWithValuesHeld(held), held);
    // A card read as Windows-1252 as a whole keeps everything, so it reads the same.
    const std::string latin = OtherCard("u", "Ann", "L\xe9" "e", {Photo('P', 3000)});
    EXPECT_EQ(CardWithValuesHeld(latin), latin);
    const std::string small = OtherCard("u", "Ann", "Lee", {Photo('P', 500)});
    EXPECT_EQ(CardWithValuesHeld(small), small);
}
