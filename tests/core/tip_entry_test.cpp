// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tip_entry.h"

#include <gtest/gtest.h>

#include <set>

namespace quillary {
namespace {

TEST(TipEntry, Parse)
{
    EXPECT_FALSE(ParseTipEntry("\"To edit a contact, right-click the icon.\"").hasHelp);

    const TipEntry helped = ParseTipEntry("\"Did you know each contact can be flagged?\", 1002");
    EXPECT_EQ(helped.text, "Did you know each contact can be flagged?");
    EXPECT_TRUE(helped.hasHelp);
    EXPECT_EQ(helped.helpContext, 1002);

    EXPECT_EQ(ParseTipEntry("\"A blank parts it\" 1024").helpContext, 1024);
    EXPECT_EQ(ParseTipEntry("\"Say \"\"hi\"\"\",1015").text, "Say \"hi\"");

    const TipEntry notANumber = ParseTipEntry("\"Tip\",help");
    EXPECT_TRUE(notANumber.hasHelp); // the bulb is enabled but leads to context 0
    EXPECT_EQ(notANumber.helpContext, 0);

    EXPECT_FALSE(ParseTipEntry("").hasHelp);
}

TEST(TipEntry, FirstRandomTipIsNeverTheLast)
{
    EXPECT_EQ(FirstRandomTip(0, 5), -1);
    EXPECT_EQ(FirstRandomTip(1, 5), 0);
    for (std::uint32_t value : {0u, 1u, 0xffffffffu})
        EXPECT_EQ(FirstRandomTip(2, value), 0); // two tips: always the first
    std::set<int> drawn;
    for (std::uint32_t value = 0; value < 200; ++value)
        drawn.insert(FirstRandomTip(50, value));
    EXPECT_EQ(drawn.size(), 49u);
    EXPECT_EQ(*drawn.rbegin(), 48);
}

TEST(TipEntry, StepperStaysInRange)
{
    EXPECT_EQ(StepTip(3, 1, 50), 4);
    EXPECT_EQ(StepTip(49, 1, 50), 49);
    EXPECT_EQ(StepTip(0, -1, 50), 0);
    EXPECT_EQ(StepTip(0, 2147483647, 50), 49);
    EXPECT_EQ(StepTip(0, 1, 0), -1);
}

} // namespace
} // namespace quillary
