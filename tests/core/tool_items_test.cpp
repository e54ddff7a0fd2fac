// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tool_items.h"

#include "shell/profile_file.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TProfileFile FromText(std::string_view text)
{
    return TProfileFile::FromText("unused.ini", text);
}

std::unique_ptr<TToolItem> MakeTool(std::string description, std::string filename, std::string arguments = {},
                                    bool allowAddressItem = false)
{
    auto tool = std::make_unique<TToolItem>();
    tool->Description = std::move(description);
    tool->Filename = std::move(filename);
    tool->Arguments = std::move(arguments);
    tool->AllowAddressItem = allowAddressItem;
    return tool;
}

TEST(ToolItemsStorage, LoadsEveryKeyWithFourFieldsAndSkipsOthers)
{
    TToolItems tools;
    tools.Load(FromText("[Tools]\n"
                        "Tool0=\"Mail, Fast\",\"C:\\Program Files\\mail.exe\",\"-n \"\"x\"\"\",1\n"
                        "Tool1=Short,C:\\a.exe,0\n"
                        "Editor=Notes,C:\\Apps\\Notes.exe,,0\n"
                        "Tool3=a,b,c,1,extra\n"));
    ASSERT_EQ(tools.Count(), 2u);
    EXPECT_EQ(tools.At(0)->Description, "Mail, Fast");
    EXPECT_EQ(tools.At(0)->Filename, "C:\\Program Files\\mail.exe");
    EXPECT_EQ(tools.At(0)->Arguments, "-n \"x\"");
    EXPECT_TRUE(tools.At(0)->AllowAddressItem);
    EXPECT_EQ(tools.At(1)->Description, "Notes");
    EXPECT_EQ(tools.At(1)->Arguments, "");
    EXPECT_FALSE(tools.At(1)->AllowAddressItem);
    EXPECT_EQ(tools.At(2), nullptr);
}

TEST(ToolItemsStorage, SaveRenumbersFromToolZeroAndReadsBack)
{
    TToolItems tools;
    tools.Load(FromText("[Tools]\nEditor=Notes,C:\\Apps\\Notes.exe,,0\nTool7=x,y,z\n"));
    tools.Add(MakeTool("Mail, Fast", "/usr/bin/mail", "-s", true));
    auto profile = FromText("[Tools]\nEditor=Notes,C:\\Apps\\Notes.exe,,0\nTool7=x,y,z\n");
    tools.Save(profile);

    // The value that is no tool is kept as it stands, after the tools.
    EXPECT_EQ(profile.SectionKeys("Tools"), (std::vector<std::string>{"Tool0", "Tool1", "Tool7"}));
    EXPECT_EQ(profile.ReadString("Tools", "Tool0", ""), "Notes,C:\\Apps\\Notes.exe,,0");
    EXPECT_EQ(profile.ReadString("Tools", "Tool1", ""), "\"Mail, Fast\",/usr/bin/mail,-s,1");
    EXPECT_EQ(profile.ReadString("Tools", "Tool7", ""), "x,y,z");

    TToolItems reread;
    reread.Load(FromText(profile.Text()));
    ASSERT_EQ(reread.Count(), 2u);
    EXPECT_EQ(reread.At(1)->Description, "Mail, Fast");
    EXPECT_EQ(reread.At(1)->Arguments, "-s");
    EXPECT_TRUE(reread.At(1)->AllowAddressItem);
}

TEST(ToolItemsList, RemoveTakesExactlyThatToolAmongEqualOnes)
{
    TToolItems tools;
    TToolItem& first = tools.Add(MakeTool("Same", "/bin/a"));
    TToolItem& second = tools.Add(MakeTool("Same", "/bin/b"));
    EXPECT_TRUE(tools.Remove(&second));
    ASSERT_EQ(tools.Count(), 1u);
    EXPECT_EQ(tools.At(0), &first);
    EXPECT_EQ(first.Filename, "/bin/a");
    EXPECT_FALSE(tools.Remove(&second));
    EXPECT_FALSE(tools.Remove(nullptr));
}

TEST(ToolItemsList, FindByFilenameIsExactAndFirstWins)
{
    TToolItems tools;
    tools.Add(MakeTool("One", "/bin/a")).ImageIndex = 4;
    tools.Add(MakeTool("Two", "/bin/a")).ImageIndex = 5;
    tools.Add(MakeTool("Three", "/bin/b"));
    ASSERT_NE(tools.FindByFilename("/bin/a"), nullptr);
    EXPECT_EQ(tools.FindByFilename("/bin/a")->Description, "One");
    EXPECT_EQ(tools.FindByFilename("/BIN/A"), nullptr);
    EXPECT_EQ(tools.ImageIndexForProgram("/bin/a"), 4);
    EXPECT_EQ(tools.ImageIndexForProgram("/bin/b"), std::nullopt); // no icon yet
    EXPECT_EQ(tools.ImageIndexForProgram("/bin/c"), std::nullopt);
}

TEST(ToolItem, LaunchParametersAndWorkingDirectory)
{
    const auto plain = MakeTool("T", "C:\\Apps\\Notes.exe");
    EXPECT_EQ(plain->LaunchParameters(""), "");
    EXPECT_EQ(plain->LaunchParameters("x"), " x");
    EXPECT_EQ(plain->WorkingDirectory(), "C:\\Apps\\");
    const auto withArgs = MakeTool("T", "/usr/bin/gimp", "-n");
    EXPECT_EQ(withArgs->LaunchParameters(""), "-n ");
    EXPECT_EQ(withArgs->LaunchParameters("file"), "-n file");
    EXPECT_EQ(withArgs->WorkingDirectory(), "/usr/bin/");
}

TEST(ToolPaths, ProgramNameDescriptionAndBrowser)
{
    EXPECT_TRUE(IsToolProgramName("C:\\Apps\\Notes.EXE"));
    EXPECT_TRUE(IsToolProgramName("x.exe"));
    EXPECT_FALSE(IsToolProgramName("/usr/bin/gimp"));
    EXPECT_FALSE(IsToolProgramName("exe"));

    EXPECT_EQ(ToolDescriptionFromPath("C:\\Apps\\Notes.exe"), "Notes");
    EXPECT_EQ(ToolDescriptionFromPath("C:\\Apps\\Notes.ExE"), "Notes");
    EXPECT_EQ(ToolDescriptionFromPath("/usr/bin/gimp"), "gimp");
    EXPECT_EQ(ToolDescriptionFromPath("/opt/run.sh"), "run.sh");

    EXPECT_EQ(BrowserProgramFromPath("C:\\Net\\browser.exe"), "C:\\Net\\browser");
    EXPECT_EQ(BrowserProgramFromPath("/usr/bin/firefox"), "/usr/bin/firefox");
    EXPECT_EQ(BrowserProgramFromPath(""), "");
}

} // namespace
} // namespace quillary
