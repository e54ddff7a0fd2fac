// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/bookmark_page.h"
#include "exchange/import_counts.h"
#include "exchange/nickname_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;

TEST(ImportSummary, NamesTheKindsMadeAndEachRejectedEntry)
{
    ImportCounts counts;
    EXPECT_EQ(ImportSummary(counts), "Nothing was imported.");
    for (int i = 0; i < 12; ++i)
        counts.CountMade(KindPerson);
    counts.CountMade(KindOrganization);
    EXPECT_EQ(ImportSummary(counts), "Made 12 persons, 1 organization.");
    counts.CountMade(KindAddress);
    counts.CountMade(KindAddress);
    counts.CountRejected("row 3: no first or last name");
    counts.CountRejected("row 9: \"Title\" is empty");
    EXPECT_EQ(ImportSummary(counts), "Made 12 persons, 2 addresses, 1 organization.\n"
                                     "Rejected 2 rows:\n"
                                     "row 3: no first or last name\n"
                                     "row 9: \"Title\" is empty");

    ImportCounts none;
    none.CountRejected("line 4: a damaged record");
    EXPECT_EQ(ImportSummary(none), "Nothing was imported.\nRejected 1 line:\nline 4: a damaged record");
    // Counts without kinds or reasons, and reasons of several sorts.
    ImportCounts bare;
    bare.made = 3;
    bare.rejected = 2;
    EXPECT_EQ(ImportSummary(bare), "Made 3 items.\nRejected 2 entries.");
    ImportCounts mixed;
    mixed.CountRejected("shortcut a.url: cannot be read");
    mixed.CountRejected("sub-folder: cannot be read");
    EXPECT_EQ(ImportSummary(mixed), "Nothing was imported.\nRejected 2 entries:\n"
                                    "shortcut a.url: cannot be read\nsub-folder: cannot be read");
}

TEST(ImportSummary, ManyReasonsAreCutShort)
{
    ImportCounts counts;
    for (int i = 1; i <= 25; ++i)
        counts.CountRejected("row " + std::to_string(i) + ": no first or last name");
    const std::string summary = ImportSummary(counts);
    EXPECT_NE(summary.find("\nrow 20: "), std::string::npos);
    EXPECT_EQ(summary.find("\nrow 21: "), std::string::npos);
    EXPECT_TRUE(summary.ends_with("\n... and 5 more."));
}

TEST(ImportSummary, BookmarkAndNicknameImportsGiveLineReasons)
{
    ItemTree pages;
    std::istringstream page("<TITLE>Marks</TITLE>\n<A HREF=\"a.htm\">A</A>\n<A NAME=\"\"></A>\n");
    const ImportCounts marks = ImportNSBook(page, pages.Root());
    EXPECT_EQ(marks.madeByKind, (std::map<int, int>{{KindWebsite, 1}}));
    EXPECT_EQ(marks.reasons, std::vector<std::string>{"line 3: a link without text or address"});

    ItemTree names;
    std::istringstream file("alias bob <bob@example.com>\nalias nobody Nobody Here\nnote ghost boo\n");
    const ImportCounts nicknames = ImportEudora(file, names.Root());
    EXPECT_EQ(nicknames.madeByKind, (std::map<int, int>{{KindEMail, 1}}));
    EXPECT_EQ(nicknames.reasons, (std::vector<std::string>{"line 2: an alias without an e-mail address",
                                                           "line 3: a note for a nickname that has no alias"}));
}
