// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/nickname_file.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;

namespace {

struct Imported
{
    ItemTree tree;
    ImportCounts counts;
    const TKPXObject& Folder() const { return *tree.Root().FirstChild()->Data(); }
    const TKPXObject& At(int i) const { return *Folder().ChildAt(i); }
};

void Import(Imported& result, const std::string& text)
{
    std::istringstream in(text);
    result.counts = ImportEudora(in, result.tree.Root());
}

} // namespace

TEST(NicknameFile, AnAliasWithAFullNameAndABracketedAddressTakesItsNote)
{
    Imported r;
    Import(r, "alias bob \"Bob Smith\" <bob@example.com>\r\nnote bob Works at the mill\r\n");
    EXPECT_EQ(r.Folder().GetTitle(), "Eudora Addresses");
    EXPECT_EQ(r.tree.Root().FirstChild()->Data()->GetKind(), KindFolder);
    ASSERT_EQ(r.Folder().ChildCount(), 1);
    EXPECT_EQ(r.At(0).GetKind(), KindEMail);
    EXPECT_EQ(r.At(0).GetTitle(), "bob");
    EXPECT_EQ(r.At(0).GetTarget(), "bob@example.com");
    EXPECT_EQ(r.At(0).GetComment(), "Works at the mill");
    EXPECT_EQ(r.counts.made, 1);
    EXPECT_EQ(r.counts.rejected, 0);
}

TEST(NicknameFile, AliasesWithoutAnAddressMakeNothing)
{
    Imported r;
    Import(r, "alias team bob, cara\nalias solo\nalias\nalias lonely@example.com\n");
    EXPECT_EQ(r.Folder().ChildCount(), 0);
    EXPECT_EQ(r.counts.rejected, 4);
}

TEST(NicknameFile, TheFirstWordWithAnAtSignIsTheAddress)
{
    Imported r;
    Import(r, "alias sam Sam <sam@example.net>, <other@example.net>\nalias \"<odd>\" x@y\n");
    ASSERT_EQ(r.Folder().ChildCount(), 2);
    EXPECT_EQ(r.At(0).GetTarget(), "sam@example.net");
    EXPECT_EQ(r.At(1).GetTitle(), "odd"); // the nickname is trimmed like the address
}

// The note starts after the nickname as written, whatever quoting or blanks stand before it,
// and is kept whole however long it is.
TEST(NicknameFile, NotesAreTakenWhole)
{
    const std::string longNote(600, 'n');
    Imported r;
    Import(r, "alias \"Cara Dean\" cara@example.org\n"
              "alias max max@example.org\n"
              "note \"Cara Dean\" Prefers calls, not mail\n"
              "note   max   " +
                  longNote + "\n");
    EXPECT_EQ(r.At(0).GetComment(), "Prefers calls, not mail");
    EXPECT_EQ(r.At(1).GetComment(), longNote);
}

TEST(NicknameFile, NotesForUnknownNicknamesOrWithoutTextAreLeftOut)
{
    Imported r;
    Import(r, "note bob Too early\nalias bob bob@example.com\nnote bob\nnote nobody Text\nnote Bob Other case\n"
              "Alias BIG big@example.com\nnotes bob Still a note line\n");
    ASSERT_EQ(r.Folder().ChildCount(), 1);
    EXPECT_EQ(r.At(0).GetComment(), "Still a note line");
    EXPECT_EQ(r.counts.made, 1);
    EXPECT_EQ(r.counts.rejected, 4);
}

TEST(NicknameFile, ANoteGoesToTheFirstAddressOfItsNickname)
{
    Imported r;
    Import(r, "alias bob bob@one.example\nalias bob bob@two.example\nnote bob First\nnote bob Second\n");
    EXPECT_EQ(r.At(0).GetComment(), "Second");
    EXPECT_EQ(r.At(1).GetComment(), "");
}
