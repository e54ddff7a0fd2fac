// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"

#include "model/create_item.h"
#include "model/due_notices.h"
#include "model/due_reminders.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_reminder.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {

// The state image of a node with due items below it.
constexpr int DueMarker = 1;

// Today is 8 December 2026 until a test moves the clock on.
class DueReminders : public ::testing::Test
{
protected:
    TestWorld world;
    ItemTree tree{world.Services()};
    TreeNode& friends = Node(KindFolder, "Friends", tree.Root());
    TreeNode& ann = Node(KindPerson, "Ann", friends);
    TreeNode& bob = Node(KindPerson, "Bob", tree.Root());

    TreeNode& Node(int kind, const std::string& title, TreeNode& parent)
    {
        return *CreateItem(kind, title, "", "", parent, "", 0)->GetTreeNode();
    }
    TReminderObject& Reminder(const std::string& title, TreeNode& owner, const std::string& date)
    {
        return *static_cast<TReminderObject*>(CreateItem(KindReminder, title, "", "", owner, "{Remd}" + date, 0));
    }
    static std::vector<std::string> Titles(const std::vector<TReminderObject*>& reminders)
    {
        std::vector<std::string> titles;
        for (const TReminderObject* reminder : reminders)
            titles.push_back(reminder->GetTitle());
        return titles;
    }
};

TEST_F(DueReminders, MarkersFollowTheClockAcrossMidnight)
{
    auto& today = Reminder("Call", ann, "2026,12,8,0~~0");
    auto& tomorrow = Reminder("Party", ann, "2026,12,9,0~~0");
    auto& nextWeek = Reminder("Trip", bob, "2026,12,15,0~~0");
    EXPECT_EQ(friends.StateIndex(), DueMarker);
    EXPECT_FALSE(tomorrow.GetFlagged());

    // Nothing changed during the day: no marker moves.
    EXPECT_TRUE(RefreshDueMarkers(tree).empty());

    world.clock.today = {2026, 12, 9};
    EXPECT_EQ(Titles(RefreshDueMarkers(tree)), std::vector<std::string>{"Party"});
    EXPECT_TRUE(tomorrow.GetFlagged());
    EXPECT_TRUE(today.GetFlagged());
    EXPECT_EQ(bob.StateIndex(), TreeNode::NoImage);

    // A resume a week later: the jump counts as much as one midnight.
    world.clock.today = {2026, 12, 16};
    EXPECT_EQ(Titles(RefreshDueMarkers(tree)), std::vector<std::string>{"Trip"});
    EXPECT_EQ(bob.StateIndex(), DueMarker);
    EXPECT_EQ(tree.Root().StateIndex(), TreeNode::NoImage);

    // A clock set back takes markers away again.
    world.clock.today = {2026, 12, 1};
    EXPECT_EQ(Titles(RefreshDueMarkers(tree)), (std::vector<std::string>{"Call", "Party", "Trip"}));
    EXPECT_EQ(friends.StateIndex(), TreeNode::NoImage);
    EXPECT_FALSE(nextWeek.GetFlagged());
}

TEST_F(DueReminders, EachReminderIsToldOnceForEachDateItComesDueOn)
{
    Reminder("Call", ann, "2026,12,8,0~~0");
    Reminder("Old", bob, "2025,3,1,0~~0");
    auto& weekly = Reminder("Gym", bob, "2026,12,9,3~~0");
    DueNoticeLog log;

    // At start every due reminder at once, in tree order.
    EXPECT_EQ(Titles(log.TakeUntold(tree)), (std::vector<std::string>{"Call", "Old"}));
    EXPECT_TRUE(log.TakeUntold(tree).empty());

    // A new day sets the markers first, as the window's day watch does.
    world.clock.today = {2026, 12, 9};
    RefreshDueMarkers(tree);
    EXPECT_EQ(Titles(log.TakeUntold(tree)), std::vector<std::string>{"Gym"});

    // Advanced but still due (a week later the date is 16 December): its new date is told then.
    weekly.AdvanceDate();
    EXPECT_TRUE(log.TakeUntold(tree).empty());
    world.clock.today = {2026, 12, 16};
    RefreshDueMarkers(tree);
    EXPECT_EQ(Titles(log.TakeUntold(tree)), std::vector<std::string>{"Gym"});
}

TEST_F(DueReminders, TheLogKnowsRemindersAfterTheTreeIsReadAgain)
{
    const std::int32_t id = Reminder("Call", ann, "2026,12,8,0~~0").GetID();
    DueNoticeLog log;
    EXPECT_EQ(log.TakeUntold(tree).size(), 1u);
    // Revert makes new items with the identifiers, titles and dates of the file.
    ann.Data()->DeleteChild(FindReminder(tree, id));
    EXPECT_EQ(FindReminder(tree, id), nullptr);
    CreateItem(KindReminder, "Call", "", "", ann, "{Remd}2026,12,8,0~~0", id);
    EXPECT_TRUE(log.TakeUntold(tree).empty());
}

TEST_F(DueReminders, ANoticeNamesOneReminderOrCountsSeveral)
{
    auto& call = Reminder("Call", ann, "2026,12,8,0~~0");
    const DueNotice one = ComposeDueNotice({&call});
    EXPECT_EQ(one.summary, "Call");
    EXPECT_EQ(one.body, "Ann\nDue " + call.RecurDate().GetDateText());
    EXPECT_EQ(one.reminders, std::vector<std::int32_t>{call.GetID()});

    std::vector<TReminderObject*> many{&call};
    for (int i = 1; i <= 6; ++i)
        many.push_back(&Reminder("R" + std::to_string(i), bob, "2026,12,1,0~~0"));
    const DueNotice grouped = ComposeDueNotice(many);
    EXPECT_EQ(grouped.summary, "7 reminders are due");
    EXPECT_EQ(grouped.body, "Call (Ann)\nR1 (Bob)\nR2 (Bob)\nR3 (Bob)\nR4 (Bob)\nand 2 more");
    EXPECT_EQ(grouped.reminders.size(), 7u);

    // A title of any length stays a line of a bubble.
    auto& longOne = Reminder(std::string(5000, 'x'), bob, "2026,12,1,0~~0");
    EXPECT_LT(ComposeDueNotice({&longOne}).summary.size(), 100u);
}

TEST_F(DueReminders, DueWithinListsOverdueAndComingRemindersByDate)
{
    Reminder("Later", ann, "2026,12,20,0~~0");
    Reminder("Soon", bob, "2026,12,11,0~~0");
    Reminder("Today", bob, "2026,12,8,0~~0");
    Reminder("Overdue", ann, "2026,11,30,0~~0");
    Reminder("Also soon", ann, "2026,12,11,0~~0");
    EXPECT_EQ(Titles(DueWithin(tree, 0)), (std::vector<std::string>{"Overdue", "Today"}));
    // Reminders of one date keep their tree order ("Also soon" belongs to Ann, before Bob).
    EXPECT_EQ(Titles(DueWithin(tree, 3)), (std::vector<std::string>{"Overdue", "Today", "Also soon", "Soon"}));
    EXPECT_EQ(DueWithin(tree, 12).size(), 5u);
}

} // namespace

TEST_F(DueReminders, ABirthdayIsToldWithTheAgeItBringsAndAnAnniversaryWithItsYears)
{
    struct Case
    {
        std::string title;
        std::string line;
        std::string owner; // as the notice names it
    };
    const Case cases[] = {
        {"Birthday", "2026,12,8,2~~0~~1969-12-08", "Ann turns 57"},
        {"birthday", "2026,12,8,2~~0~~1969-12-08", "Ann turns 57"},
        {"Birthday", "2027,2,28,2~~0~~1972-02-29", "Ann turns 55"},
        {"Anniversary", "2026,12,8,2~~0~~2001-12-08", "Ann, 25 years"},
        {"Anniversary", "2026,12,8,2~~0~~2025-12-08", "Ann, 1 year"},
        {"Birthday", "2026,12,8,2~~0~~--12-08", "Ann"},        // no year, no age
        {"Birthday", "2026,12,8,2~~0", "Ann"},                 // a reminder of an older file
        {"Birthday", "2026,12,8,2~~0~~2026-12-08", "Ann"},     // born today
        {"Call", "2026,12,8,2~~0~~1969-12-08", "Ann"},         // not a birthday
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        auto& reminder = Reminder(c.title, ann, c.line);
        const DueNotice one = ComposeDueNotice({&reminder});
        EXPECT_EQ(one.body, c.owner + "\nDue " + reminder.RecurDate().GetDateText());
        auto& other = Reminder("Call", bob, "2026,12,1,0~~0");
        EXPECT_EQ(ComposeDueNotice({&reminder, &other}).body, c.title + " (" + c.owner + ")\nCall (Bob)");
    }
}

TEST_F(DueReminders, ABacklogAtStartIsOneNoticeThatCountsAllAndListsAFew)
{
    for (int i = 0; i < 200; ++i)
        Reminder("Birthday", i % 2 ? ann : bob, "1970,4,23,2~~0");
    DueNoticeLog log;
    const std::vector<TReminderObject*> untold = log.TakeUntold(tree);
    const DueNotice notice = ComposeDueNotice(untold);
    EXPECT_EQ(notice.summary, "200 reminders are due");
    // In tree order: Ann's hundred first.
    EXPECT_EQ(notice.body, "Birthday (Ann)\nBirthday (Ann)\nBirthday (Ann)\nBirthday (Ann)\nBirthday (Ann)\n"
                           "and 195 more");
    EXPECT_EQ(notice.reminders.size(), 200u);
    EXPECT_TRUE(log.TakeUntold(tree).empty());
}
