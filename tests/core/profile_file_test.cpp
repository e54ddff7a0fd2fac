// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/profile_file.h"

#include "common/file_error.h"
#include "shell/settings_keys.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace quillary {
namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::string>;

class TempDir
{
public:
    TempDir() : m_path(fs::temp_directory_path() / ("quillary-profile-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

void WriteRaw(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadRaw(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TProfileFile FromText(std::string_view text)
{
    return TProfileFile::FromText("unused.ini", text);
}

TEST(ProfileFile, ReadsSectionsAndKeysIgnoringCase)
{
    const auto profile =
        FromText("\xEF\xBB\xBF[WinState]\nNorm_Width=800\r\n  norm_height = 600\n[Browser]\nDDE=Firefox\n");
    EXPECT_EQ(profile.ReadInteger("WINSTATE", "NORM_WIDTH", 1), 800);
    EXPECT_EQ(profile.ReadInteger("winstate", "Norm_Height", 1), 600);
    EXPECT_EQ(profile.ReadString("browser", "dde", "IExplore"), "Firefox");
    EXPECT_TRUE(profile.HasSection("BROWSER"));
    EXPECT_EQ(profile.ReadString("Browser", "Path", "none"), "none");
}

TEST(ProfileFile, ValuesAreRawAndIntegersLenient)
{
    const auto profile = FromText("[Tools]\nTool0=\"Edit, notes\",a=b;c , 3 \nTool1=\nTool2 =\t -12px\n; k=v\n"
                                  "[tools]\nTool3=shadowed\n");
    EXPECT_EQ(profile.ReadString("Tools", "Tool0", ""), "\"Edit, notes\",a=b;c , 3 ");
    EXPECT_EQ(profile.ReadString("Tools", "Tool1", "default"), "");
    EXPECT_EQ(profile.ReadInteger("Tools", "Tool2", 5), -12);
    EXPECT_EQ(profile.ReadInteger("Tools", "Tool0", 5), 0);
    EXPECT_EQ(profile.ReadString("Tools", "Tool3", "none"), "none");            // the first section of a name wins
    EXPECT_EQ(profile.SectionKeys("Tools"), (Keys{"Tool0", "Tool1", "Tool2"})); // the comment is no key
}

TEST(ProfileFile, KeysKeepFileOrderAndNewKeysFollowTheLastKey)
{
    auto profile = FromText("; settings\n[Tools]\nTool2=c\nTool0=a\n\n[Browser]\nDDE=x\n");
    profile.WriteString("tools", "Tool1", "b");
    profile.WriteString("Tools", "TOOL0", "A");
    profile.WriteInteger("Settings", "INetMail", 2);
    EXPECT_EQ(profile.SectionKeys("Tools"), (Keys{"Tool2", "Tool0", "Tool1"}));
    EXPECT_EQ(profile.Text(), "; settings\r\n[Tools]\r\nTool2=c\r\nTool0=A\r\nTool1=b\r\n\r\n"
                              "[Browser]\r\nDDE=x\r\n[Settings]\r\nINetMail=2\r\n");
}

TEST(ProfileFile, EraseSectionRemovesEveryCopyWithItsLines)
{
    auto profile = FromText("[Categories]\nCat1=x\n;old\n[Browser]\nDDE=y\n[categories]\nCat2=z\n");
    profile.WriteString("browser", "dde", "y");
    profile.EraseSection("Tools");
    EXPECT_FALSE(profile.IsDirty()); // nothing changed
    profile.EraseSection("CATEGORIES");
    EXPECT_FALSE(profile.HasSection("Categories"));
    EXPECT_EQ(profile.ReadString("Categories", "Cat2", "gone"), "gone");
    EXPECT_EQ(profile.Text(), "[Browser]\r\nDDE=y\r\n");
    EXPECT_TRUE(profile.IsDirty());
}

TEST(ProfileFile, LineBreaksCannotInjectLines)
{
    auto profile = FromText("");
    profile.WriteString("Browser", "Path", "/bin/x\r\n[Settings]\nINetMail=3");
    profile.WriteString("Tools\n[Evil]", "Tool0\r\nDDE=y", "v");
    profile.WriteString("Tools", "a=b", "1");
    const TProfileFile reread = FromText(profile.Text());
    EXPECT_FALSE(reread.HasSection("Settings"));
    EXPECT_FALSE(reread.HasSection("Evil"));
    EXPECT_EQ(reread.ReadString("Browser", "Path", ""), "/bin/x  [Settings] INetMail=3");
    EXPECT_EQ(reread.ReadString("Tools\n[Evil]", "Tool0\r\nDDE=y", ""), "v");
    EXPECT_EQ(reread.ReadString("Tools", "a b", ""), "1");
    // What memory holds is what the file gives back.
    EXPECT_EQ(profile.ReadString("Browser", "Path", ""), reread.ReadString("Browser", "Path", ""));
    EXPECT_EQ(profile.ReadString("Tools", "a=b", ""), "1");
}

// The file is made by the first flush, folders included; a rewrite keeps every line it did not change.
TEST(ProfileFile, FlushWritesTheWholeFileWithCrLf)
{
    TempDir dir;
    const fs::path path = dir / "config/quillary/kpx.ini";
    TProfileFile fresh(path);
    EXPECT_EQ(ReadCategoryNames(fresh)[2], "User Defined 3");
    fresh.Flush(); // nothing written yet: no file
    EXPECT_FALSE(fs::exists(path));
    fresh.WriteString("Browser", "DDE", "Firefox");
    fresh.Flush();
    EXPECT_FALSE(fresh.IsDirty());
    EXPECT_EQ(ReadRaw(path), "[Browser]\r\nDDE=Firefox\r\n");

    WriteRaw(path, "# mine\n[Browser]\n; preferred browser\nDDE = Firefox \nPath=/usr/bin/firefox\n\n[Tools]\nTool0=x");
    TProfileFile edited(path);
    edited.WriteString("Browser", "Path", "/opt/b");
    edited.Flush();
    EXPECT_EQ(ReadRaw(path), "# mine\r\n[Browser]\r\n; preferred browser\r\nDDE = Firefox \r\nPath=/opt/b\r\n\r\n"
                             "[Tools]\r\nTool0=x\r\n");
}

TEST(ProfileFile, FailedFlushThrowsAndStaysDirty)
{
    TempDir dir;
    WriteRaw(dir / "file", "x");
    TProfileFile profile(dir / "file/kpx.ini"); // its folder is a file
    profile.WriteString("S", "k", "v");
    EXPECT_THROW(profile.Flush(), FileError);
    EXPECT_TRUE(profile.IsDirty());
}

TEST(ProfileFile, CategoryNamesReplaceTheSection)
{
    auto profile = FromText("[Categories]\nCat1=Clients\nCat40=stale\n");
    CategoryNames names = ReadCategoryNames(profile);
    EXPECT_EQ(names[0], "Clients");
    EXPECT_EQ(names[31], "User Defined 32");
    names[2] = "Family";
    WriteCategoryNames(profile, names);
    EXPECT_EQ(profile.SectionKeys("Categories").size(), 32u);
    EXPECT_EQ(profile.ReadString("Categories", "Cat3", ""), "Family");
    EXPECT_EQ(profile.ReadString("Categories", "Cat2", ""), "User Defined 2");
    EXPECT_EQ(profile.ReadString("Categories", "Cat40", "gone"), "gone");
}

// Whatever bytes the file holds, reading never fails and a write then reads back.
TEST(ProfileFile, SurvivesArbitraryBytes)
{
    std::mt19937 random(4711);
    const std::string alphabet = std::string("[]=;# \t\r\nAaKk\xEF\xBB\xBF\0\xff", 18);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(0, 60);
    for (int round = 0; round < 2000; ++round) {
        std::string text(length(random), ' ');
        for (char& c : text)
            c = alphabet[pick(random)];
        auto profile = FromText(text);
        profile.WriteString("a", "k", "value");
        EXPECT_EQ(FromText(profile.Text()).ReadString("A", "K", ""), "value") << text;
    }
}

} // namespace
} // namespace quillary
