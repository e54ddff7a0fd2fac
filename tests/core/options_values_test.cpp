// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/options_values.h"

#include "shell/profile_file.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TProfileFile FromText(std::string_view text)
{
    return TProfileFile::FromText("unused.ini", text);
}

TEST(OptionsValues, EmptyProfileGivesDefaults)
{
    const OptionsValues values = ReadOptions(FromText(""));
    EXPECT_EQ(values.browserService, "IExplore");
    EXPECT_EQ(values.browserPath, "");
    EXPECT_EQ(values.mailMethod, 1);
    EXPECT_EQ(values.categories[0], "User Defined 1");
    EXPECT_EQ(values.categories[31], "User Defined 32");
}

TEST(OptionsValues, WriteReadRoundTripAndMailMethodOutsideRangeStoresThree)
{
    auto profile = FromText("[Settings]\nINetMail=7\n[Categories]\nStale=x\nCat3=Old\n");
    OptionsValues values = ReadOptions(profile);
    EXPECT_EQ(values.mailMethod, 7);
    EXPECT_EQ(values.categories[2], "Old");
    values.browserService = "NETSCAPE";
    values.browserPath = "C:\\Net\\browser.exe";
    WriteOptions(profile, values);

    EXPECT_EQ(profile.ReadInteger("Settings", "INetMail", 0), 3);
    EXPECT_EQ(profile.SectionKeys("Categories").size(), 32u);
    EXPECT_EQ(profile.ReadString("Categories", "Stale", "gone"), "gone");
    const OptionsValues reread = ReadOptions(FromText(profile.Text()));
    EXPECT_EQ(reread.browserService, "NETSCAPE");
    EXPECT_EQ(reread.browserPath, "C:\\Net\\browser.exe");
    EXPECT_EQ(reread.categories[2], "Old");
    EXPECT_EQ(reread.categories[3], "User Defined 4");

    values.mailMethod = 2;
    WriteOptions(profile, values);
    EXPECT_EQ(profile.ReadInteger("Settings", "INetMail", 0), 2);
}

TEST(OptionsValues, ReminderNotificationsAreOnUnlessStoredAsZero)
{
    EXPECT_TRUE(ReadOptions(FromText("")).reminderNotifications);
    EXPECT_TRUE(ReadOptions(FromText("[Settings]\nReminderNotifications=2\n")).reminderNotifications);
    auto profile = FromText("[Settings]\nINetMail=2\n");
    OptionsValues values = ReadOptions(profile);
    values.reminderNotifications = false;
    WriteOptions(profile, values);
    EXPECT_EQ(profile.ReadInteger("Settings", "ReminderNotifications", -1), 0);
    EXPECT_FALSE(ReminderNotificationsOn(profile));
    EXPECT_FALSE(ReadOptions(FromText(profile.Text())).reminderNotifications);
    values.reminderNotifications = true;
    WriteOptions(profile, values);
    EXPECT_TRUE(ReminderNotificationsOn(profile));
}

TEST(OptionsValues, RenameCategoryKeepsOldNameForEmptyText)
{
    CategoryNames names = ReadOptions(FromText("")).categories;
    RenameCategory(names, 2, "Family");
    EXPECT_EQ(names[2], "Family");
    RenameCategory(names, 2, "");
    EXPECT_EQ(names[2], "Family");
    RenameCategory(names, 32, "Out");
    RenameCategory(names, -1, "Out");
    EXPECT_EQ(names[31], "User Defined 32");
    EXPECT_EQ(names[0], "User Defined 1");
}

} // namespace
} // namespace quillary
