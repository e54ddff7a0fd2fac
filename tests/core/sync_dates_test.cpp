// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/sync_harness.h"

#include "model/items_reminder.h"
#include "sync/card_dates.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quillary;
using namespace quillary::test;

namespace {
const std::string BobHref = std::string(FakeAddressBook::Path) + "bob.vcf";

// Bob's card from another client with a birthday and an anniversary, brought here by one run.
SyncHarness BobSynced(const std::vector<std::string>& extra = {})
{
    SyncHarness harness;
    std::vector<std::string> lines = {"BDAY:19850412", "ANNIVERSARY:20100620", "TEL:555 0200"};
    lines.insert(lines.end(), extra.begin(), extra.end());
    harness.server.Write(BobHref, OtherCard("bob-uid", "Bob", "Roe", lines));
    EXPECT_EQ(harness.Run().outcome, SyncReport::Outcome::Done);
    return harness;
}

TReminderObject& ReminderOf(ItemTree& tree, const std::string& title)
{
    TPartyObject& bob = *FindParty(tree, "Bob Roe");
    for (int i = 0; i < bob.ChildCount(); ++i)
        if (auto* reminder = dynamic_cast<TReminderObject*>(bob.ChildAt(i)); reminder && reminder->GetTitle() == title)
            return *reminder;
    throw std::runtime_error("no reminder " + title);
}

// Advances both of Bob's reminders, as the pop-up's Advance Date or a notification does.
void AdvanceBoth(SyncHarness& harness, int times)
{
    harness.Edit([times](ItemTree& tree, TreeNode&) {
        for (int i = 0; i < times; ++i) {
            ReminderOf(tree, "Birthday").AdvanceDate();
            ReminderOf(tree, "Anniversary").AdvanceDate();
        }
    });
}

std::string ReminderDate(SyncHarness& harness, const std::string& title)
{
    std::string text;
    harness.Edit([&](ItemTree& edited, TreeNode&) { text = ReminderOf(edited, title).RecurDate().GetDateText(); });
    return text;
}
} // namespace

TEST(SyncDates, OnlyTheSameDayInALaterYearIsAnAdvancedDate)
{
    EXPECT_TRUE(IsAdvancedDate("19850412", "19860412"));
    EXPECT_TRUE(IsAdvancedDate("1985-04-12", "20260412"));
    EXPECT_TRUE(IsAdvancedDate("1985-04-12T00:00:00Z", "2026-04-12"));
    EXPECT_FALSE(IsAdvancedDate("19850412", "19850412"));
    EXPECT_FALSE(IsAdvancedDate("19860412", "19850412"));
    EXPECT_FALSE(IsAdvancedDate("19850412", "19860413"));
    EXPECT_FALSE(IsAdvancedDate("--0412", "19860412"));
    EXPECT_FALSE(IsAdvancedDate("19850412", "--0412"));
    EXPECT_FALSE(IsAdvancedDate("April 12", "19860412"));
}

TEST(SyncDates, AnAdvancedReminderKeepsTheServersBirthDate)
{
    SyncHarness harness = BobSynced({"PHOTO:data:image/png;base64,iVBORw0KGgo="});
    const std::string before = harness.ServerCard("Bob Roe");
    AdvanceBoth(harness, 2);
    const SyncReport report = harness.Run();
    EXPECT_EQ(report.SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted");
    EXPECT_EQ(harness.ServerCard("Bob Roe"), before);

    // A real edit here goes up with the birth dates the server had.
    harness.Edit([](ItemTree& tree, TreeNode&) { FindParty(tree, "Bob Roe")->SetComment("met at the fair"); });
    EXPECT_EQ(harness.Run().serverChanged, 1);
    const std::string after = harness.ServerCard("Bob Roe");
    for (const char* kept : {"BDAY:19850412", "ANNIVERSARY:20100620", "NOTE:met at the fair"})
        EXPECT_NE(after.find(kept), std::string::npos) << kept << "\n" << after;
}

TEST(SyncDates, ACardBroughtInLeavesAnAdvancedReminderWhereItIs)
{
    SyncHarness harness = BobSynced();
    AdvanceBoth(harness, 1);
    const std::string advanced = ReminderDate(harness, "Birthday");
    // Another client changes the phone: the card comes in, the reminder stays advanced.
    harness.server.Write(BobHref,
                         OtherCard("bob-uid", "Bob", "Roe", {"BDAY:19850412", "ANNIVERSARY:20100620", "TEL:555 0299"}));
    EXPECT_EQ(harness.Run().SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted");
    EXPECT_EQ(ReminderDate(harness, "Birthday"), advanced);
    EXPECT_NE(harness.Facts().find("555 0299"), std::string::npos);
    EXPECT_NE(harness.ServerCard("Bob Roe").find("BDAY:19850412"), std::string::npos);

    // A birthday the other client really moved comes in.
    harness.server.Write(BobHref,
                         OtherCard("bob-uid", "Bob", "Roe", {"BDAY:19850413", "ANNIVERSARY:20100620", "TEL:555 0299"}));
    EXPECT_EQ(harness.Run().hereChanged, 1);
    EXPECT_NE(ReminderDate(harness, "Birthday"), advanced);
    EXPECT_EQ(harness.Run().SummaryLine(), "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted");
}
