// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/command_text.h"

#include <gtest/gtest.h>

using namespace quillary;

TEST(CommandText, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(QuoteArgument("sam@x.org"), "sam@x.org");
    EXPECT_EQ(QuoteArgument("a;b"), "a;b");
    EXPECT_EQ(QuoteArgument("John Smith"), "\"John Smith\"");
    EXPECT_EQ(QuoteArgument("say \"hi\""), "\"say \"\"\"hi\"\"\"\"");
    EXPECT_EQ(QuoteArgument(""), "");
}
