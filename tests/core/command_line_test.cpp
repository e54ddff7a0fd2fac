// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, HiddenStartNeedsTheExactWord)
{
    EXPECT_TRUE(IsHiddenStart({"quillary", "/tmp/a.zkd", "HIDEWIN"}));
    EXPECT_TRUE(IsHiddenStart({"HIDEWIN"})); // the program path counts too
    EXPECT_FALSE(IsHiddenStart({"quillary", "hidewin"}));
    EXPECT_FALSE(IsHiddenStart({"quillary", "HIDEWIN2", "-HIDEWIN"}));
    EXPECT_FALSE(IsHiddenStart({}));
}

TEST(CommandLine, AutomationWordsAreExactAndSkipTheProgramPath)
{
    EXPECT_EQ(FindAutomationStart({"quillary", "REGSERVER"}), AutomationStart::Register);
    EXPECT_EQ(FindAutomationStart({"quillary", "/tmp/a.zkd", "UNREGSERVER"}), AutomationStart::Unregister);
    EXPECT_EQ(FindAutomationStart({"quillary", "AUTOMATION"}), AutomationStart::ByClient);
    EXPECT_EQ(FindAutomationStart({"quillary", "EMBEDDING", "REGSERVER"}), AutomationStart::ByClient);
    EXPECT_EQ(FindAutomationStart({"AUTOMATION"}), AutomationStart::None);
    EXPECT_EQ(FindAutomationStart({"quillary", "automation", "RegServer", "HIDEWIN"}), AutomationStart::None);
}

TEST(CommandLine, AutomationWordsOfAHandedOverText)
{
    EXPECT_EQ(FindAutomationStartInText("/usr/bin/quillary AUTOMATION"), AutomationStart::ByClient);
    EXPECT_EQ(FindAutomationStartInText(CommandLineText({"/opt/My Apps/quillary", "/tmp/a.zkd", "EMBEDDING"})),
              AutomationStart::ByClient);
    EXPECT_EQ(FindAutomationStartInText("/usr/bin/quillary /tmp/a.zkd"), AutomationStart::None);
    EXPECT_EQ(FindAutomationStartInText("/usr/bin/AUTOMATION \"AUTOMATION x.zkd\""), AutomationStart::None);
    EXPECT_EQ(FindAutomationStartInText(""), AutomationStart::None);
}

TEST(CommandLine, TextQuotesWhatWouldSplit)
{
    EXPECT_EQ(CommandLineText({"/usr/bin/quillary", "/tmp/a.zkd", "HIDEWIN"}), "/usr/bin/quillary /tmp/a.zkd HIDEWIN");
    EXPECT_EQ(CommandLineText({"q", "/home/me/My Files/a,b.vcf", "say \"hi\"", ""}),
              "q \"/home/me/My Files/a,b.vcf\" \"say \"\"hi\"\"\" \"\"");
}

TEST(CommandLine, ElementsSplitAtBlanksOutsideQuotes)
{
    EXPECT_EQ(CommandLineElements("quillary \"/home/me/My Files/Club.zkd\" /tmp/x.vcf"),
              (Args{"/home/me/My Files/Club.zkd", "/tmp/x.vcf"}));
    EXPECT_EQ(CommandLineElements("quillary a,b"), (Args{"a", "b"}));
    EXPECT_EQ(CommandLineElements("quillary"), Args{});
    EXPECT_EQ(CommandLineElements(""), Args{});
}

TEST(CommandLine, ElementsKeepTheirCase)
{
    EXPECT_EQ(CommandLineElements("/usr/bin/Quillary /home/Me/Backup.ZKD HIDEWIN"),
              (Args{"/home/Me/Backup.ZKD", "HIDEWIN"}));
}

TEST(CommandLine, TextRoundTripsThroughElements)
{
    const Args args{"/opt/My Apps/quillary", "/home/me/My Files/a,b.zkd", "/tmp/Card \"work\".VCF", "x", "HIDEWIN"};
    EXPECT_EQ(CommandLineElements(CommandLineText(args)), Args(args.begin() + 1, args.end()));
}

TEST(CommandLine, ClassifiesByNameIgnoringCase)
{
    EXPECT_EQ(ClassifyElement("/tmp/a.zkd"), CommandLineFile::Interchange);
    EXPECT_EQ(ClassifyElement("/tmp/A.ZKD"), CommandLineFile::Interchange);
    EXPECT_EQ(ClassifyElement("/tmp/x.zkd.vcf"), CommandLineFile::Interchange); // ".zkd" is tested first
    EXPECT_EQ(ClassifyElement("/tmp/cards.Vcf"), CommandLineFile::VCard);
    EXPECT_EQ(ClassifyElement("/tmp/a.vcfx"), CommandLineFile::VCard);             // anywhere in the name
    EXPECT_EQ(ClassifyElement("/home/me/Contacts.VCARD"), CommandLineFile::VCard); // what file managers open as vCard
    EXPECT_EQ(ClassifyElement("HIDEWIN"), CommandLineFile::Other);
    EXPECT_EQ(ClassifyElement("/tmp/zkd"), CommandLineFile::Other);
    EXPECT_EQ(ClassifyElement(""), CommandLineFile::Other);
}

} // namespace
} // namespace quillary
