// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_fields.h"
#include "exchange/vcard_content_lines.h"
#include "sync/card_merge.h"
#include "sync/card_patch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillary;

namespace {
CardFields Fields(const std::vector<std::string>& lines)
{
    std::string card = "BEGIN:VCARD\r\nVERSION:4.0\r\n";
    for (const std::string& line : lines)
        card += line + "\r\n";
    return ReadCardFields(ParseCardLines(card + "END:VCARD\r\n"));
}

std::string Single(const CardFields& fields, const std::string& name)
{
    const auto it = fields.singles.find(name);
    return it == fields.singles.end() ? "<none>" : it->second.value;
}

std::vector<std::string> Values(const CardFields& fields, const std::string& name)
{
    std::vector<std::string> values;
    if (const auto it = fields.sets.find(name); it != fields.sets.end())
        for (const CardElement& element : it->second)
            values.push_back(element.lines.front().value);
    return values;
}

struct SingleCase
{
    const char* what;
    const char* base;
    const char* local;
    const char* remote;
    const char* merged;
    bool conflict;
};

struct SetCase
{
    const char* what;
    std::vector<std::string> base, local, remote, merged;
    bool conflict;
};

std::vector<std::string> Lines(const char* name, const std::vector<std::string>& values)
{
    std::vector<std::string> lines;
    for (const std::string& value : values)
        lines.push_back(std::string(name) + ":" + value);
    return lines;
}
} // namespace

TEST(CardMerge, SinglesTakeTheChangedSideAndKeepBothWhenBothChanged)
{
    const SingleCase cases[] = {
        {"unchanged", "Ann", "Ann", "Ann", "Ann", false},
        {"changed here", "Ann", "Anne", "Ann", "Anne", false},
        {"changed there", "Ann", "Ann", "Anna", "Anna", false},
        {"same change on both", "Ann", "Anna", "Anna", "Anna", false},
        {"added here", nullptr, "Ann", nullptr, "Ann", false},
        {"added there", nullptr, nullptr, "Ann", "Ann", false},
        {"removed here", "Ann", nullptr, "Ann", nullptr, false},
        {"removed there", "Ann", "Ann", nullptr, nullptr, false},
        {"changed differently", "Ann", "Anne", "Anna", "Anne", true},
        {"removed here, changed there", "Ann", nullptr, "Anna", nullptr, true},
    };
    for (const SingleCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto line = [](const char* value) {
            return value ? std::vector<std::string>{std::string("TITLE:") + value} : std::vector<std::string>{};
        };
        const CardMerge merge = MergeCardFields(Fields(line(c.base)), Fields(line(c.local)), Fields(line(c.remote)));
        EXPECT_EQ(Single(merge.fields, "TITLE"), c.merged ? c.merged : "<none>");
        EXPECT_EQ(merge.conflicts, c.conflict ? std::vector<std::string>{"TITLE"} : std::vector<std::string>{});
        // The server's value is never dropped without a word: it is in the note.
        const std::string note = Single(merge.fields, "NOTE");
        EXPECT_EQ(note.find("[Conflict] the server's title: Anna") != std::string::npos, c.conflict) << note;
    }
}

TEST(CardMerge, SetsMergeValueByValue)
{
    const SetCase cases[] = {
        {"unchanged", {"1"}, {"1"}, {"1"}, {"1"}, false},
        {"added here", {"1"}, {"1", "2"}, {"1"}, {"1", "2"}, false},
        {"added there", {"1"}, {"1"}, {"1", "3"}, {"1", "3"}, false},
        {"added on both", {"1"}, {"1", "2"}, {"1", "3"}, {"1", "2", "3"}, false},
        {"same added on both", {}, {"2"}, {"2"}, {"2"}, false},
        {"removed here", {"1", "2"}, {"1"}, {"1", "2"}, {"1"}, false},
        {"removed there", {"1", "2"}, {"1", "2"}, {"2"}, {"2"}, false},
        {"removed on both", {"1", "2"}, {"2"}, {"2"}, {"2"}, false},
        {"replaced here", {"1"}, {"2"}, {"1"}, {"2"}, false},
        {"replaced differently on both", {"1"}, {"2"}, {"3"}, {"2", "3"}, true},
        {"replaced here, removed there", {"1"}, {"2"}, {}, {"2"}, false},
        {"all removed here", {"1", "2"}, {}, {"1", "2"}, {}, false},
    };
    for (const char* name : {"TEL", "EMAIL", "ADR", "URL"}) {
        for (const SetCase& c : cases) {
            SCOPED_TRACE(std::string(name) + ": " + c.what);
            const CardMerge merge = MergeCardFields(Fields(Lines(name, c.base)), Fields(Lines(name, c.local)),
                                                    Fields(Lines(name, c.remote)));
            EXPECT_EQ(Values(merge.fields, name), c.merged);
            EXPECT_EQ(merge.conflicts, c.conflict ? std::vector<std::string>{name} : std::vector<std::string>{});
        }
    }
}

TEST(CardMerge, KindsAndPreferenceAreWhatAValueIs)
{
    // A phone that became preferred, or changed its type, is a changed value.
    const CardMerge merge =
        MergeCardFields(Fields({"TEL;TYPE=work:1", "TEL:2"}), Fields({"TEL;TYPE=work:1", "TEL;PREF=1:2"}),
                        Fields({"TEL;TYPE=home:1", "TEL:2"}));
    ASSERT_EQ(merge.fields.sets.at("TEL").size(), 2U);
    EXPECT_EQ(merge.fields.sets.at("TEL")[0].lines.front().Text(), "TEL;PREF=1:2");
    EXPECT_EQ(merge.fields.sets.at("TEL")[1].lines.front().Text(), "TEL;TYPE=home:1");
    // Parameters written differently are the same parameters.
    EXPECT_EQ(Fields({"TEL;TYPE=WORK,VOICE:1"}), Fields({"tel;type=voice;TYPE=work:1"}));
    // A label in the value's group travels with it.
    const CardFields labelled = Fields({"item1.TEL:1", "item1.X-ABLabel:Boat"});
    EXPECT_NE(labelled, Fields({"item1.TEL:1", "item1.X-ABLabel:Car"}));
    EXPECT_EQ(labelled.sets.at("TEL")[0].lines.size(), 2U);
}

TEST(CardMerge, NotesKeepBothAndMarkEachConflictOnce)
{
    const CardFields base = Fields({"FN:Ann Lee", "NOTE:met in Oslo"});
    const CardFields local = Fields({"FN:Ann Lee-Berg", "NOTE:met in Oslo\\, 2019"});
    const CardFields remote = Fields({"FN:Ann Berg", "NOTE:met in Bergen"});
    const CardMerge merge = MergeCardFields(base, local, remote);
    EXPECT_EQ(merge.conflicts, (std::vector<std::string>{"FN", "NOTE"}));
    EXPECT_EQ(Single(merge.fields, "FN"), "Ann Lee-Berg");
    EXPECT_EQ(Single(merge.fields, "NOTE"), "met in Oslo\\, 2019 [Conflict] the server's formatted name: Ann Berg "
                                            "[Conflict] the server's note: met in Bergen");
    // Merging again with either side already holding the merge changes nothing: a run cut off
    // after the merge reached one side ends as one whole run.
    EXPECT_EQ(MergeCardFields(base, merge.fields, remote).fields, merge.fields);
    EXPECT_EQ(MergeCardFields(base, local, merge.fields).fields, merge.fields);
}

TEST(CardLines, FoldedEscapedAndGroupedLinesReadAndWriteBack)
{
    const std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:a long note that is folded \r\n over\r\n\tthree "
                             "lines\r\nitem1.TEL;type=CELL:+1 555\nitem1.X-ABLabel:Boat\rPHOTO;ENCODING=b;TYPE=JPEG:"
                             "AAAA\r\nX-Q;P=\"a:b\":c\r\nEND:VCARD\r\n";
    const std::vector<CardLine> lines = ParseCardLines(card);
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_EQ(lines[0].value, "a long note that is folded overthree lines");
    EXPECT_EQ(lines[1].group, "item1");
    EXPECT_EQ(lines[1].name, "TEL");
    EXPECT_EQ(lines[1].params, "type=CELL");
    EXPECT_EQ(lines[3].Text(), "PHOTO;ENCODING=b;TYPE=JPEG:AAAA");
    EXPECT_EQ(lines[4].params, "P=\"a:b\"");
    EXPECT_EQ(lines[4].value, "c");
    const std::string written = WriteCardText({PlainLine("NOTE", std::string(100, 'x') + "\xc3\xa9")}, "4.0");
    EXPECT_EQ(written.substr(0, 28), "BEGIN:VCARD\r\nVERSION:4.0\r\nNO");
    EXPECT_EQ(ParseCardLines(written).front().value, std::string(100, 'x') + "\xc3\xa9");
    for (std::size_t start = 0, end; (end = written.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 75U);
    EXPECT_EQ(UnescapeCardText(EscapeCardText("a,b;c\\d")), "a,b;c\\d");
}

// A quote left open in the parameters ends at the first colon, as the card reader reads it, and
// the line is written back as it came rather than lost from the card uploaded over it.
TEST(CardLines, AnOpenQuoteEndsAtTheFirstColonAndTheLineStays)
{
    const std::vector<CardLine> lines =
        ParseCardLines("BEGIN:VCARD\r\nVERSION:4.0\r\nX-Q;P=\"a:b\r\n\r\n continued\r\nEND:VCARD\r\n");
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].params, "P=\"a");
    EXPECT_EQ(lines[0].value, "b");
    EXPECT_EQ(lines[0].Text(), "X-Q;P=\"a:b");
}

TEST(CardPatch, KeepsWhatTheTreeCannotHoldAndTheServersFormOfUnchangedValues)
{
    const std::vector<CardLine> server = ParseCardLines(
        "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:abc\r\nFN:Ann Lee\r\nNOTE:old\r\nitem1.TEL;TYPE=x-boat:555 1\r\n"
        "item1.X-ABLabel:Boat\r\nTEL:555 2\r\nPHOTO:data:image/png;base64,AAAA\r\nX-SKYPE:ann.lee\r\nIMPP:xmpp:a@b\r\n"
        "GEO:geo:1,2\r\nEND:VCARD\r\n");
    // What the tree made of the card: the boat phone without its type; then the note changed
    // here and the second phone went.
    const CardFields agreed = Fields({"FN:Ann Lee", "NOTE:old", "TEL:555 1", "TEL:555 2"});
    const CardFields merged = Fields({"FN:Ann Lee", "NOTE:new", "TEL:555 1", "item1.EMAIL:a@b", "item1.X-ABLabel:Z"});
    std::vector<std::string> texts;
    for (const CardLine& line : PatchCard(server, agreed, merged, "4.0", {}))
        texts.push_back(line.Text());
    const auto has = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    for (const char* kept : {"UID:abc", "FN:Ann Lee", "NOTE:new", "item1.TEL;TYPE=x-boat:555 1", "item1.X-ABLabel:Boat",
                             "PHOTO:data:image/png;base64,AAAA", "X-SKYPE:ann.lee", "IMPP:xmpp:a@b", "GEO:geo:1,2"})
        EXPECT_TRUE(has(kept)) << kept;
    EXPECT_FALSE(has("TEL:555 2"));
    EXPECT_FALSE(has("NOTE:old"));
    // The e-mail address brought its label in a group of its own, not the boat's.
    EXPECT_TRUE(has("item2.EMAIL:a@b"));
    EXPECT_TRUE(has("item2.X-ABLabel:Z"));
    // An organization gets its version's mark.
    CardFields organization = merged;
    organization.organization = true;
    EXPECT_EQ(PatchCard(server, agreed, organization, "3.0", {}).front().Text(), "X-ABSHOWAS:COMPANY");
    EXPECT_EQ(PatchCard(server, agreed, organization, "4.0", {}).front().Text(), "KIND:org");
}
