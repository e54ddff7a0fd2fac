// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_files.h"

#include "common/file_error.h"
#include "exchange/favorites_import.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

TreeNode& AddFolder(TreeNode& parent, std::string_view title)
{
    return *CreateItem(KindFolder, title, "", "", parent, "", 0)->GetTreeNode();
}

void WriteShortcut(const fs::path& file, const std::string& url)
{
    fs::create_directories(file.parent_path());
    WriteWhole(file, "[InternetShortcut]\r\nURL=" + url + "\r\n");
}

// One line per node below start: indented by depth, websites with their target.
std::string Outline(const TreeNode& start)
{
    std::string text;
    for (int i = 0; i < start.ChildCount(); ++i) {
        const TreeNode& node = *start.ChildAt(i);
        text += std::string(2 * (node.Depth() - 1), ' ') + node.Text();
        if (node.Data()->GetKind() == KindWebsite)
            text += " -> " + node.Data()->GetTarget();
        text += "\n" + Outline(node);
    }
    return text;
}

// A favorites folder with shortcuts at three depths, files that are not shortcuts, a hidden
// folder and a link back to itself.
class Favorites : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteShortcut(favorites / "Alpha.url", "http://alpha.example/");
        WriteShortcut(favorites / "News" / "Daily.URL", "http://daily.example/");
        WriteShortcut(favorites / "News" / "Local" / "Town.url", "http://town.example/");
        WriteShortcut(favorites / "Sports" / "Score.Url", "http://score.example/");
        WriteShortcut(favorites / "Zeta.url", "http://zeta.example/");
        WriteShortcut(favorites / ".hidden" / "Secret.url", "http://secret.example/");
        WriteWhole(favorites / "desktop.ini", "[.ShellClassInfo]\r\n");
        WriteWhole(favorites / "No link.url", "[InternetShortcut]\r\n");
        fs::create_directory_symlink(favorites, favorites / "Loop");
    }

    TempDir dir;
    fs::path favorites = *dir / "Favorites";
};

} // namespace

TEST_F(Favorites, SubFoldersOfAnyDepthBecomeFoldersBelowTheImportsFolder)
{
    ItemTree tree;
    TreeNode& links = AddFolder(tree.Root(), "Links");
    const ImportCounts counts = ImportFavorites(favorites.string(), links);
    EXPECT_EQ(Outline(tree.Root()), "Links\n"
                                    "  Favorites\n"
                                    "    Alpha -> http://alpha.example/\n"
                                    "    News\n"
                                    "      Daily -> http://daily.example/\n"
                                    "    Local\n"
                                    "      Town -> http://town.example/\n"
                                    "    No link -> \n"
                                    "    Sports\n"
                                    "      Score -> http://score.example/\n"
                                    "    Zeta -> http://zeta.example/\n");
    EXPECT_EQ(counts.made, 6);
    EXPECT_EQ(counts.rejected, 1); // desktop.ini
}

TEST_F(Favorites, ShortcutsJoinTheFirstNodeOfTheirFoldersName)
{
    ItemTree tree;
    TreeNode& archive = AddFolder(tree.Root(), "Archive");
    TreeNode& oldFavorites = AddFolder(archive, "Favorites");
    TreeNode& oldNews = AddFolder(archive, "News");
    TreeNode& links = AddFolder(tree.Root(), "Links");
    ImportFavorites(favorites.string() + "/", links);
    EXPECT_EQ(Outline(oldNews), "    Daily -> http://daily.example/\n");
    EXPECT_FALSE(oldFavorites.HasChildren()); // the favorites folder's own files stay together
    EXPECT_EQ(Outline(links), "  Favorites\n"
                              "    Alpha -> http://alpha.example/\n"
                              "    Local\n"
                              "      Town -> http://town.example/\n"
                              "    No link -> \n"
                              "    Sports\n"
                              "      Score -> http://score.example/\n"
                              "    Zeta -> http://zeta.example/\n");
}

TEST(FavoritesImport, AFolderThatCannotBeReadLeavesTheTreeAlone)
{
    ItemTree tree;
    EXPECT_THROW(ImportFavorites("/no/such/Favorites", tree.Root()), FileError);
    EXPECT_FALSE(tree.Root().HasChildren());
}

TEST(FavoritesImport, AnEmptyFolderGivesAnEmptyFolder)
{
    TempDir dir;
    fs::create_directories(dir / "Empty");
    ItemTree tree;
    const ImportCounts counts = ImportFavorites((dir / "Empty").string(), tree.Root());
    EXPECT_EQ(Outline(tree.Root()), "Empty\n");
    EXPECT_EQ(counts.made, 0);
}
