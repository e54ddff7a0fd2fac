// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/sync_changes.h"

#include <gtest/gtest.h>

using namespace quillary;

TEST(SyncChanges, MembersNamedAgainEndAsLastNamedInTheOrderLastNamed)
{
    SyncChanges changes(10);
    changes.BeginRound();
    changes.Changed("/a", "\"a1\"");
    changes.Removed("/b");
    changes.Changed("/c", "\"c1\"");
    EXPECT_EQ(changes.AfterTruncatedRound(), "");
    changes.BeginRound();
    changes.Changed("/b", "\"b2\"");
    changes.Removed("/a");
    changes.Removed("/d");
    EXPECT_EQ(changes.Problem(), "");
    const DavChanges taken = changes.Take("t2");
    EXPECT_EQ(taken.syncToken, "t2");
    ASSERT_EQ(taken.changed.size(), 2U);
    EXPECT_EQ(taken.changed[0].href, "/c");
    EXPECT_EQ(taken.changed[1].href, "/b");
    EXPECT_EQ(taken.changed[1].etag, "\"b2\"");
    EXPECT_EQ(taken.removed, (std::vector<std::string>{"/a", "/d"}));
}

TEST(SyncChanges, ATruncatingServerMustBringNewsEachRoundAndStayWithinTheBook)
{
    // The same members again and again, under ever new tokens: stopped after the first repeat.
    SyncChanges repeating(100);
    for (int round = 0; round < 2; ++round) {
        repeating.BeginRound();
        for (int i = 0; i < 50; ++i)
            repeating.Changed("/m" + std::to_string(i), "\"e\"");
    }
    EXPECT_NE(repeating.AfterTruncatedRound().find("without sending any that are new"), std::string::npos);

    // New members every round: past twice the known cards and the margin, the book is outgrown
    // (a full listing follows); within one round, any number the reply may hold is read.
    SyncChanges growing(100);
    std::size_t named = 0;
    while (growing.Problem().empty()) {
        growing.BeginRound();
        for (int i = 0; i < 1000 && growing.Problem().empty(); ++i)
            growing.Changed("/n" + std::to_string(named++), "\"e\"");
        ASSERT_LT(named, 20000U);
    }
    EXPECT_TRUE(growing.Outgrown());
    EXPECT_EQ(named, 2 * 100 + SyncChanges::Margin + 1);
    SyncChanges single(0);
    single.BeginRound();
    for (int i = 0; i < 50000; ++i)
        single.Changed("/s" + std::to_string(i), "\"e\"");
    EXPECT_EQ(single.Problem(), "");

    // However little each round brings, the rounds end.
    SyncChanges trickling(1000000);
    std::string problem;
    for (int round = 0; problem.empty(); ++round) {
        trickling.BeginRound();
        trickling.Changed("/t" + std::to_string(round), "\"e\"");
        problem = trickling.AfterTruncatedRound();
    }
    EXPECT_NE(problem.find("truncated its list of changes 1000 times"), std::string::npos);
}
