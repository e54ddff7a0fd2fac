// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_error.h"
#include "common/text_line_reader.h"
#include "exchange/vcard_card.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_property.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace quillary;
namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

TCardProperty Parsed(std::string_view line)
{
    TCardProperty property;
    property.Parse(line);
    return property;
}

Strings AllLines(const std::string& text)
{
    std::istringstream in(text);
    TextLineReader reader(in);
    Strings lines;
    for (std::string line; reader.Next(line);)
        lines.push_back(line);
    return lines;
}

TVCardFile ReadText(const std::string& text)
{
    std::istringstream in(text);
    TVCardFile file;
    file.Read(in);
    return file;
}

class TempDir
{
public:
    TempDir() : m_path(fs::temp_directory_path() / ("quillary-vcard-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

} // namespace

TEST(VCardProperty, ParsesNameParametersAndValues)
{
    const TCardProperty tel = Parsed("TEL;work;VOICE;X-CUSTOM:555-1234");
    EXPECT_EQ(tel.Name, "TEL");
    EXPECT_EQ(tel.Params, (1U << ParamWork) | (1U << ParamVoice));
    EXPECT_EQ(tel.Values, Strings{"555-1234"});
    EXPECT_EQ(tel.ParamDisplayText(), "Office,Voice Line");
    EXPECT_EQ(tel.AsText(), "TEL;WORK;VOICE:555-1234");

    // Only the text before the first ":" names the property.
    const TCardProperty url = Parsed("URL:http://example.com:8080/x");
    EXPECT_EQ(url.Values, Strings{"http://example.com:8080/x"});
    EXPECT_EQ(url.AsText(), "URL:http://example.com:8080/x");
}

TEST(VCardProperty, WritesParametersInTableOrderWithTheirOwnSpelling)
{
    const TCardProperty email = Parsed("EMAIL;internet;Pref;x400;aol:a@b");
    EXPECT_EQ(email.AsText(), "EMAIL;PREF;AOL;INTERNET;X400:a@b");
    EXPECT_EQ(email.ParamDisplayText(), "Preferred,AOL,Internet,X.400");
    EXPECT_EQ(Parsed("TEL;APPLELINK;EWORLD:1").AsText(), "TEL;AppleLink;eWorld:1");
    EXPECT_EQ(Parsed("TEL:1").ParamDisplayText(), "");
    for (int flag = 0; flag < CardParamCount; ++flag) {
        SCOPED_TRACE(flag);
        const TCardProperty one = Parsed("TEL;" + std::string(CardParamName(flag)) + ":1");
        EXPECT_EQ(one.Params, 1U << flag);
        EXPECT_EQ(one.ParamDisplayText(), CardParamDisplayName(flag));
    }
}

TEST(VCardProperty, KeepsBlanksAndEmptyFieldsOfEveryValue)
{
    EXPECT_EQ(Parsed("ADR:;;12 High St;Springfield;;;").Values,
              (Strings{"", "", "12 High St", "Springfield", "", "", ""}));
    EXPECT_EQ(Parsed("N:a;;b").Values, (Strings{"a", "", "b"}));
    EXPECT_EQ(Parsed("N:;a").Values, (Strings{"", "a"}));
    EXPECT_EQ(Parsed("N: two  words ; x").Values, (Strings{" two  words ", " x"}));
    // A comma and a quote are ordinary characters: only ";" divides a value.
    const TCardProperty org = Parsed("ORG:Smith, Jones & Co");
    EXPECT_EQ(org.Values, (Strings{"Smith, Jones & Co"}));
    EXPECT_EQ(org.AsText(), "ORG:Smith, Jones & Co");
    EXPECT_EQ(Parsed("N:\"a;b\";c").Values, (Strings{"\"a", "b\"", "c"}));
    EXPECT_EQ(Parsed("NOTE:He said \"hi, there\"").Values, Strings{"He said \"hi, there\""});
}

TEST(VCardProperty, SemicolonsInsideOldValuesAreEscapedAndReadBack)
{
    EXPECT_EQ(Parsed("N:Berg, Jr.;Jan").Values, (Strings{"Berg, Jr.", "Jan"}));
    EXPECT_EQ(Parsed("N:Berg\\; Jr.;Jan\\,\\x").Values, (Strings{"Berg; Jr.", "Jan,\\x"}));
    EXPECT_EQ(Parsed("ADR:;;1 Main St\\; Suite 200;Town").Values, (Strings{"", "", "1 Main St; Suite 200", "Town"}));
    EXPECT_EQ(Parsed("NOTE:a\\\\b\\,c\\x").Values, Strings{"a\\b,c\\x"});
    // CATEGORIES name categories between commas as well.
    EXPECT_EQ(Parsed("CATEGORIES:Work,Family;Friends").Values, (Strings{"Work", "Family", "Friends"}));

    // Written back, every value reads as it was, and values without ";" or "\\" stand as before.
    const Strings hostile = {"a;b", "c\\", "\\;", "x\\,y", "\"q\", r", "", "end\\"};
    TCardProperty written;
    written.Name = "N";
    written.Values = hostile;
    EXPECT_EQ(written.AsText(), "N:a\\;b;c\\\\;\\\\\\;;x\\\\,y;\"q\", r;;end\\");
    EXPECT_EQ(Parsed(written.AsText()).Values, hostile);
    EXPECT_EQ(Parsed("TEL;WORK:555, ext. \"2\"").AsText(), "TEL;WORK:555, ext. \"2\"");
}

TEST(VCardProperty, LinesWithoutValueOrNameGiveEmptyParts)
{
    const TCardProperty org = Parsed("ORG:");
    EXPECT_EQ(org.Name, "ORG");
    EXPECT_TRUE(org.Values.empty());
    EXPECT_EQ(org.Value(0), "");
    EXPECT_EQ(org.AsText(), "ORG:");

    const TCardProperty bare = Parsed("TEL;PREF");
    EXPECT_EQ(bare.Name, "");
    EXPECT_EQ(bare.Params, 0U);
    EXPECT_EQ(bare.Values, (Strings{"TEL", "PREF"}));

    EXPECT_EQ(Parsed(":x").Name, "");
    EXPECT_EQ(Parsed("").AsText(), ":");
}

TEST(VCardProperty, LongValuesAreKeptWhole)
{
    const std::string note(10000, 'x');
    const TCardProperty property = Parsed("NOTE:" + note + ";tail");
    ASSERT_EQ(property.Values.size(), 2U);
    EXPECT_EQ(property.Values[0], note);
    EXPECT_EQ(property.Values[1], "tail");
}

TEST(TextLineReader, EndsLinesAtCrLfOrBoth)
{
    EXPECT_EQ(AllLines("a\r\nb\nc\rd"), (Strings{"a", "b", "c", "d"}));
    // A lone CR takes nothing from the next line; CR LF LF holds an empty line.
    EXPECT_EQ(AllLines("a\rb\r\n\nc\r\r"), (Strings{"a", "b", "", "c", ""}));
    EXPECT_EQ(AllLines(""), Strings{});
    EXPECT_EQ(AllLines("\n"), Strings{""});
    const std::string big(100000, 'y');
    EXPECT_EQ(AllLines(big + "\r\nz"), (Strings{big, "z"}));
    // A CR LF split by a refill of the reader's 64 KiB buffer is still one line end.
    const std::string edge((1 << 16) - 1, 'e');
    EXPECT_EQ(AllLines(edge + "\r\nz\r"), (Strings{edge, "z"}));
}

TEST(VCardCard, FindsPropertiesByExactName)
{
    TCard card;
    card.AddLine("tel;work:5");
    card.AddLine("TEL;HOME:6");
    card.AddLine("TEL;CELL:7");
    ASSERT_NE(card.FindProperty("TEL"), nullptr);
    EXPECT_EQ(card.FindProperty("TEL")->Value(0), "6");
    EXPECT_EQ(card.IndexOfProperty(card.FindProperty("TEL")), 1);
    EXPECT_EQ(card.FindProperty("Tel"), nullptr);

    TCardProperty outside;
    EXPECT_EQ(card.IndexOfProperty(&outside), -1);
    card.DeleteProperty(1);
    card.DeleteProperty(7);
    EXPECT_EQ(card.FindProperty("TEL")->Value(0), "7");

    const std::vector<TCardProperty> taken = card.TakeProperties("tel");
    ASSERT_EQ(taken.size(), 1U);
    EXPECT_EQ(taken[0].Value(0), "5");
    EXPECT_EQ(card.PropertyCount(), 1);
}

TEST(VCardCard, TakingSeveralNamesAtOnceTakesTheFirstOrAllAndKeepsTheRestInOrder)
{
    TCard card;
    for (const char* line : {"N:a", "TEL:1", "NOTE:x", "N:b", "EMAIL:e", "TEL:2", "NOTE:y", "URL:u", "TEL:3"})
        card.AddLine(line, VCardVersion::V30);
    const auto [ns, tels, notes, none] =
        card.TakeProperties(std::array<PropertyTake, 4>{{{"N", false}, {"TEL"}, {"NOTE", false}, {"ADR"}}});
    const auto values = [](const std::vector<TCardProperty>& properties) {
        std::string text;
        for (const TCardProperty& property : properties)
            text += property.Value(0);
        return text;
    };
    EXPECT_EQ(values(ns), "a");
    EXPECT_EQ(values(tels), "123");
    EXPECT_EQ(values(notes), "x");
    EXPECT_TRUE(none.empty());
    std::string left;
    for (int i = 0; i < card.PropertyCount(); ++i)
        left += card.Properties(i).Name + ":" + card.Properties(i).Value(0) + " ";
    EXPECT_EQ(left, "N:b EMAIL:e NOTE:y URL:u ");
}

TEST(VCardFile, ReadsCardsBetweenBeginAndEndKeepingKnownLines)
{
    const TVCardFile file = ReadText("VERSION:2.1\r\n"
                                     "Begin:VCard\r\n"
                                     "VERSION:2.1\r\n"
                                     "N:Doe;John\r\n"
                                     "NOTE:read by its first letter\r\n"
                                     "X-FOO:dropped\r\n"
                                     "PHOTO:dropped\r\n"
                                     "End:VCARD\r\n"
                                     "N:outside any card\r\n"
                                     "BEGIN:VCARD\r\n"
                                     "FN:No End\r\n"
                                     "TEL:1\r\n");
    ASSERT_EQ(file.CardCount(), 2);
    const TCard& first = file.Cards(0);
    ASSERT_EQ(first.PropertyCount(), 2);
    EXPECT_EQ(first.Properties(0).AsText(), "N:Doe;John");
    EXPECT_EQ(first.Properties(1).Name, "NOTE");
    EXPECT_EQ(file.Cards(1).PropertyCount(), 2);

    EXPECT_EQ(ReadText("N:a\r\nTEL:1\r\n").CardCount(), 0);
    EXPECT_EQ(ReadText("").CardCount(), 0);
}

TEST(VCardFile, SavesEveryCardWithCrLfAndLoadsItBack)
{
    TempDir dir;
    TVCardFile file;
    file.Filename = dir / "cards.vcf";
    TCard card;
    card.AddLine("N:Doe;John;;");
    card.AddLine("TEL;FAX;PREF:555");
    file.AddCard(card);
    file.AddCard(TCard());
    file.Save();

    std::ifstream in(file.Filename, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text, "begin:vcard\r\nN:Doe;John;;\r\nTEL;PREF;FAX:555\r\nend:vcard\r\n"
                    "begin:vcard\r\nend:vcard\r\n");

    TVCardFile loaded;
    loaded.Filename = file.Filename;
    loaded.Load();
    loaded.Load(); // appends
    ASSERT_EQ(loaded.CardCount(), 4);
    EXPECT_EQ(loaded.Cards(0).Properties(0).Values, (Strings{"Doe", "John", "", ""}));
    EXPECT_EQ(loaded.Cards(2).Properties(1).AsText(), "TEL;PREF;FAX:555");
}

TEST(VCardFile, AFileThatCannotBeOpenedOrWrittenThrows)
{
    TempDir dir;
    TVCardFile file;
    file.Filename = dir / "missing.vcf";
    EXPECT_THROW(file.Load(), FileError);
    file.Filename = dir / "";
    EXPECT_THROW(file.Load(), FileError);
    file.Filename = dir / "no-such-folder" / "out.vcf";
    EXPECT_THROW(file.Save(), FileError);
}
