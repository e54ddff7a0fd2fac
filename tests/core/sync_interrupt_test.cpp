// SPDX-License-Identifier: GPL-3.0-or-later
// A run cut off anywhere and started again ends as one whole run: the same contacts on both
// sides, none twice.
#include "support/sync_harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace quillary;
using namespace quillary::test;

namespace {
std::string Href(const std::string& name)
{
    return std::string(FakeAddressBook::Path) + name + ".vcf";
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
}

// Both sides synced once, then every kind of change on each: new, changed, deleted, and a field
// changed differently on both. Small batches, so that runs have several.
SyncHarness Changed()
{
    SyncHarness harness;
    harness.Edit([](ItemTree&, TreeNode& synced) {
        for (const char* name : {"Al", "Bo", "Cy", "Di", "Ed", "Fa"})
            AddPerson(synced, name, "Poe", "555 1000", std::string(name) + "@example.org");
    });
    for (const char* name : {"Gu", "Hu"})
        harness.server.Write(Href(name), OtherCard(name, name, "Roe", {"TEL:555 2000", "X-KEEP:" + std::string(name)}));
    harness.Run();
    harness.Edit([](ItemTree& tree, TreeNode& synced) {
        AddPerson(synced, "Ik", "New", "555 3000");
        AddPerson(synced, "Jo", "New", "555 3001");
        FindParty(tree, "Al Poe")->SetComment("changed here");
        FindParty(tree, "Cy Poe")->SetComment("here's view");
        DestroyItem(*FindParty(tree, "Di Poe"));
    });
    harness.server.Write(Href("ka"), OtherCard("ka", "Ka", "Far", {"TEL:555 4000"}));
    harness.server.Write(Href("lu"), OtherCard("lu", "Lu", "Far", {"EMAIL:lu@example.org"}));
    std::string bo = harness.ServerCard("Bo Poe");
    Replace(bo, "555 1000", "555 1999");
    harness.server.Write(harness.HrefOf("Bo Poe"), bo);
    std::string cy = harness.ServerCard("Cy Poe");
    Replace(cy, "END:VCARD", "NOTE:server's view\r\nEND:VCARD");
    harness.server.Write(harness.HrefOf("Cy Poe"), cy);
    harness.server.Remove(harness.HrefOf("Ed Poe"));
    return harness;
}

void ExpectSameEnd(SyncHarness& harness, const SyncHarness& whole, const std::string& cut)
{
    SCOPED_TRACE(cut);
    harness.server.failAt = 0;
    harness.killAfterSave = 0;
    const SyncReport again = harness.Run();
    ASSERT_EQ(again.outcome, SyncReport::Outcome::Done) << again.failure.message;
    EXPECT_EQ(harness.Facts(), whole.Facts());
    EXPECT_EQ(harness.ServerFacts(), whole.ServerFacts());
    EXPECT_EQ(harness.server.Cards().size(), whole.server.Cards().size());
    const SyncReport quiet = harness.Run();
    EXPECT_EQ(quiet.SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted");
}

// Saved after every batch, so that every batch is a point to be cut at.
SyncOptions SmallBatches()
{
    SyncOptions options;
    options.batchSize = 2;
    options.saveInterval = std::chrono::milliseconds(0);
    return options;
}
} // namespace

TEST(SyncInterrupted, TheWholeRunIsWhatTheScenarioExpects)
{
    SyncHarness whole = Changed();
    const SyncReport report = whole.Run(SmallBatches());
    EXPECT_EQ(report.SummaryLine(), "server: 2 new, 2 changed, 1 deleted; here: 2 new, 2 changed, 1 deleted; "
                                    "1 conflict kept both: Cy Poe");
    EXPECT_EQ(whole.server.Cards().size(), 10U);
    EXPECT_NE(whole.Facts().find("comment: here's view [Conflict] the server's note: server's view"),
              std::string::npos);
}

// Cuts a run off at the first, second, ... chance that cut(harness, n) sets up, each followed by a
// run again, until a run goes through; the result is the number of the chance that did not cut.
int CutEverywhere(const std::function<void(SyncHarness&, int)>& cut, const std::string& what,
                  const SyncOptions& options = SmallBatches())
{
    SyncHarness whole = Changed();
    whole.Run(options);
    const SyncHarness start = Changed();
    for (int n = 1; n < 200; ++n) {
        SyncHarness harness = start;
        cut(harness, n);
        const SyncReport report = harness.Run(options);
        ExpectSameEnd(harness, whole, what + " " + std::to_string(n));
        if (report.outcome == SyncReport::Outcome::Done)
            return n;
    }
    return 0;
}

TEST(SyncInterrupted, ARequestFailingAnywhereThenARunAgainEndsAsOneRun)
{
    const int cuts = CutEverywhere(
        [](SyncHarness& harness, int n) { harness.server.failAt = harness.server.requests + n; }, "request");
    // The listing, two fetches of two cards, four uploads and a delete were each cut off.
    EXPECT_EQ(cuts, 9);
}

TEST(SyncInterrupted, AProcessKilledAfterAnySaveThenRunAgainEndsAsOneRun)
{
    const auto kill = [](SyncHarness& harness, int n) { harness.killAfterSave = harness.saves + n; };
    EXPECT_GE(CutEverywhere(kill, "save"), 8);
    // Saved as a desktop run saves: the downloads once, at their end.
    SyncOptions seldom = SmallBatches();
    seldom.saveInterval = SyncOptions{}.saveInterval;
    EXPECT_GE(CutEverywhere(kill, "seldom saved", seldom), 3);
}

TEST(SyncInterrupted, AKillBetweenSavingTheTreeAndTheStatePairsInsteadOfDuplicating)
{
    SyncHarness harness;
    harness.Edit([](ItemTree&, TreeNode& synced) { AddPerson(synced, "Al", "Poe", "555 1000"); });
    harness.server.Write(Href("ka"), OtherCard("ka", "Ka", "Far", {"TEL:555 4000"}));
    // Saves: the new state with its book, the tree with Ka, then its state: killed there.
    harness.killAfterSave = 2;
    harness.Run();
    harness.killAfterSave = 0;
    const SyncReport again = harness.Run();
    EXPECT_EQ(again.hereNew, 0) << again.SummaryLine();
    EXPECT_EQ(harness.server.Cards().size(), 2U);
    EXPECT_EQ(harness.Facts().find("Ka Far"), harness.Facts().rfind("Ka Far"));
}

TEST(SyncInterrupted, ACardTakenBeforeAKillAndChangedOnBothSidesSinceIsMergedNotDuplicated)
{
    SyncHarness harness;
    harness.server.Write(Href("ka"), OtherCard("ka", "Ka", "Far", {"TEL:555 4000"}));
    harness.killAfterSave = 2; // after the tree with Ka, before its state
    harness.Run();
    harness.killAfterSave = 0;
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Ka Far")->SetComment("seen here"); });
    harness.server.Write(Href("ka"), OtherCard("ka", "Ka", "Far", {"TEL:555 4000", "EMAIL:ka@example.org"}));
    const SyncReport again = harness.Run();
    EXPECT_EQ(again.hereNew + again.serverNew, 0) << again.SummaryLine();
    ASSERT_EQ(harness.server.Cards().size(), 1U);
    const std::string facts = harness.Facts();
    EXPECT_EQ(facts.find("Ka Far"), facts.rfind("Ka Far")) << facts;
    EXPECT_NE(facts.find("ka@example.org"), std::string::npos) << facts;
    EXPECT_NE(harness.ServerCard("Ka Far").find("NOTE:seen here"), std::string::npos) << harness.ServerCard("Ka Far");
    EXPECT_EQ(harness.Run().SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted");
}
