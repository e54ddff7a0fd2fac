// SPDX-License-Identifier: GPL-3.0-or-later
// Runs whose tree lives elsewhere (the desktop's window): the user edits, moves and deletes items
// between the run's pieces of tree work, keeps some open for editing, or stops the run; nothing is
// lost and the next run ends where one quiet run would.
#include "support/sync_harness.h"

#include "model/items_contact.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using namespace quillary;
using namespace quillary::test;

namespace {
constexpr const char* Quiet = "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted";

std::string Href(const std::string& name)
{
    return std::string(FakeAddressBook::Path) + name + ".vcf";
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
}

// The server's card of name with its phone changed, as another client writes it.
void ChangePhoneThere(SyncHarness& harness, const std::string& name, const std::string& phone)
{
    std::string card = harness.ServerCard(name);
    Replace(card, "555 1000", phone);
    harness.server.Write(harness.HrefOf(name), card);
}

std::int32_t IdOf(const SyncHarness& harness, const std::string& title)
{
    ItemTree tree;
    std::istringstream in(harness.data);
    LoadDataStream(in, tree.Root());
    return FindParty(tree, title)->GetID();
}

std::string PathOf(const SyncHarness& harness, const std::string& title)
{
    ItemTree tree;
    std::istringstream in(harness.data);
    LoadDataStream(in, tree.Root());
    const TPartyObject* party = FindParty(tree, title);
    return party ? NodePath(*party->GetTreeNode()) : "";
}

// Four persons in the synced folder (and a folder below it), synced once.
SyncHarness Synced()
{
    SyncHarness harness;
    harness.Edit([](ItemTree&, TreeNode& synced) {
        CreateItem(KindFolder, "Sub", "", "", synced, "", 0);
        for (const char* name : {"Al", "Bo", "Cy", "Di"})
            AddPerson(synced, name, "Poe", "555 1000");
    });
    EXPECT_EQ(harness.Run().outcome, SyncReport::Outcome::Done);
    return harness;
}

// One card a batch, each saved before the next, so that what a cut-off run did is on disk.
SyncOptions OneByOne()
{
    SyncOptions options;
    options.batchSize = 1;
    options.saveInterval = std::chrono::milliseconds(0);
    return options;
}
} // namespace

TEST(SyncMeanwhile, ItemsEditedMovedOrDeletedBetweenPiecesAreFoundAgainOrLeftAndTheNextRunAgrees)
{
    SyncHarness harness = Synced();
    ChangePhoneThere(harness, "Al Poe", "555 1111");
    ChangePhoneThere(harness, "Bo Poe", "555 2222");
    harness.server.Remove(harness.HrefOf("Cy Poe"));
    harness.server.Write(Href("ka"), OtherCard("ka", "Ka", "Far", {"TEL:555 4000"}));
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Di Poe")->SetComment("changed here"); });
    // Once the run has taken its snapshot (piece 2), before it applies anything: Al is edited, Bo
    // moves down a folder and Di, changed here, is deleted.
    harness.meanwhile = [](ItemTree& tree, int piece) {
        if (piece != 3)
            return;
        FindParty(tree, "Al Poe")->SetComment("typed meanwhile");
        tree.MoveNode(*FindParty(tree, "Bo Poe")->GetTreeNode(), *FindNodeByPath(tree.Root(), "My Contacts/Synced/Sub"));
        DestroyItem(*FindParty(tree, "Di Poe"));
    };
    const SyncReport report = harness.Run(OneByOne());
    ASSERT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
    EXPECT_EQ(report.leftForNextRun, std::vector<std::string>{"Al Poe"});
    EXPECT_EQ(PathOf(harness, "Bo Poe"), "My Contacts/Synced/Sub/Bo Poe");
    EXPECT_NE(harness.Facts().find(": 555 2222"), std::string::npos);
    EXPECT_EQ(PathOf(harness, "Cy Poe"), "");
    EXPECT_EQ(PathOf(harness, "Ka Far"), "My Contacts/Synced/Ka Far");
    EXPECT_EQ(harness.ServerCard("Di Poe").find("changed here"), std::string::npos);

    harness.meanwhile = nullptr;
    const SyncReport next = harness.Run();
    ASSERT_EQ(next.outcome, SyncReport::Outcome::Done) << next.failure.message;
    // Al's edit and the server's phone meet in the merge; Di's delete reaches the server.
    EXPECT_NE(harness.ServerCard("Al Poe").find("typed meanwhile"), std::string::npos);
    EXPECT_NE(harness.ServerCard("Al Poe").find("555 1111"), std::string::npos);
    EXPECT_EQ(harness.HrefOf("Di Poe"), "");
    EXPECT_EQ(harness.server.Cards().size(), 3U);
    EXPECT_EQ(harness.Run().SummaryLine(), Quiet);
    const std::string facts = harness.Facts();
    EXPECT_NE(facts.find("comment: typed meanwhile"), std::string::npos) << facts;
    EXPECT_NE(facts.find(": 555 1111"), std::string::npos) << facts;
}

TEST(SyncMeanwhile, ItemsOpenForEditingWaitAndTheServersChangesComeOnTheNextRun)
{
    SyncHarness harness = Synced();
    const std::int32_t al = IdOf(harness, "Al Poe"), bo = IdOf(harness, "Bo Poe");
    ChangePhoneThere(harness, "Al Poe", "555 1111");
    ChangePhoneThere(harness, "Bo Poe", "555 2222");
    ChangePhoneThere(harness, "Cy Poe", "555 3333");
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Bo Poe")->SetComment("changed here"); });
    SyncOptions busy;
    busy.busy = [&](std::int32_t id) { return id == al || id == bo; };
    harness.meanwhile = [](ItemTree&, int) {};
    const SyncReport report = harness.Run(busy);
    ASSERT_EQ(report.outcome, SyncReport::Outcome::Done) << report.failure.message;
    std::vector<std::string> waiting = report.waiting;
    std::sort(waiting.begin(), waiting.end());
    EXPECT_EQ(waiting, (std::vector<std::string>{"Al Poe", "Bo Poe"}));
    EXPECT_NE(report.SummaryLine().find("waiting while open for editing: "), std::string::npos);
    const std::string facts = harness.Facts();
    EXPECT_EQ(facts.find(": 555 1111"), std::string::npos);
    EXPECT_EQ(facts.find(": 555 2222"), std::string::npos);
    EXPECT_NE(facts.find(": 555 3333"), std::string::npos);
    EXPECT_EQ(harness.ServerCard("Bo Poe").find("changed here"), std::string::npos);

    // Closed again: the sync token was kept, so the server lists both changes once more.
    const SyncReport next = harness.Run();
    ASSERT_EQ(next.outcome, SyncReport::Outcome::Done) << next.failure.message;
    EXPECT_TRUE(next.waiting.empty());
    EXPECT_EQ(harness.Run().SummaryLine(), Quiet);
    const std::string after = harness.Facts();
    EXPECT_NE(after.find(": 555 1111"), std::string::npos) << after;
    EXPECT_NE(after.find(": 555 2222"), std::string::npos) << after;
    EXPECT_NE(after.find("comment: changed here"), std::string::npos) << after;
    EXPECT_NE(harness.ServerCard("Bo Poe").find("changed here"), std::string::npos);
}

// Stopped at the first, second, ... check between batches, then run again: the end is the one
// uninterrupted run's.
TEST(SyncMeanwhile, AStopBetweenAnyBatchesKeepsWhatWasDoneAndTheNextRunFinishes)
{
    const auto start = [] {
        SyncHarness harness = Synced();
        harness.Edit([](ItemTree&, TreeNode& synced) {
            for (const char* name : {"Ed", "Fa", "Gu"})
                AddPerson(synced, name, "New", "555 5000");
        });
        for (const char* name : {"ka", "lu", "mo"})
            harness.server.Write(Href(name), OtherCard(name, name, "Far", {"TEL:555 4000"}));
        ChangePhoneThere(harness, "Al Poe", "555 1111");
        harness.server.Remove(harness.HrefOf("Bo Poe"));
        return harness;
    };
    SyncHarness whole = start();
    SyncOptions small;
    small.batchSize = 2;
    ASSERT_EQ(whole.Run(small).outcome, SyncReport::Outcome::Done);
    int stops = 0;
    for (int n = 1; n < 50; ++n) {
        SCOPED_TRACE(n);
        SyncHarness harness = start();
        int checks = 0;
        SyncOptions stopping = small;
        stopping.stopRequested = [&] { return ++checks == n; };
        harness.meanwhile = [](ItemTree&, int) {};
        const SyncReport report = harness.Run(stopping);
        const SyncReport again = harness.Run(small);
        ASSERT_EQ(again.outcome, SyncReport::Outcome::Done) << again.failure.message;
        EXPECT_EQ(harness.Facts(), whole.Facts());
        EXPECT_EQ(harness.ServerFacts(), whole.ServerFacts());
        EXPECT_EQ(harness.Run().SummaryLine(), Quiet);
        if (report.outcome == SyncReport::Outcome::Done)
            break;
        EXPECT_EQ(report.outcome, SyncReport::Outcome::Stopped);
        ++stops;
    }
    // Three batches of downloads (four cards and a delete, by twos) and two of uploads.
    EXPECT_EQ(stops, 5);
}

TEST(SyncMeanwhile, ASyncedFolderDeletedDuringARunEndsItAsAFailureWithWhatWasDoneKept)
{
    SyncHarness harness = Synced();
    harness.server.Write(Href("ka"), OtherCard("ka", "Ka", "Far", {"TEL:555 4000"}));
    harness.server.Write(Href("lu"), OtherCard("lu", "Lu", "Far", {"TEL:555 4001"}));
    harness.meanwhile = [](ItemTree& tree, int piece) {
        if (piece == 4)
            DestroyItem(*FindNodeByPath(tree.Root(), "My Contacts/Synced")->Data());
    };
    const SyncReport report = harness.Run(OneByOne());
    ASSERT_EQ(report.outcome, SyncReport::Outcome::Failed);
    EXPECT_NE(report.failure.message.find("no longer in the tree"), std::string::npos);
    // The first batch went in before the folder went; its state was kept.
    EXPECT_EQ(PathOf(harness, "Ka Far"), "My Contacts/Synced/Ka Far");
    ASSERT_TRUE(harness.state);
    EXPECT_EQ(ReadSyncStateText(*harness.state).cards.size(), 5U);
}
