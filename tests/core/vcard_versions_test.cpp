// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"
#include "support/test_files.h"

#include "exchange/party_vcard.h"
#include "exchange/vcard_date.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_import.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "model/items_reminder.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {

using Strings = std::vector<std::string>;

TCardProperty Parsed(std::string_view line, VCardVersion version = VCardVersion::V21)
{
    TCardProperty property;
    property.Parse(line, version);
    return property;
}

TVCardFile ReadText(const std::string& text)
{
    std::istringstream in(text);
    TVCardFile file;
    file.Read(in);
    return file;
}

std::string CardText(const TCard& card, VCardVersion version)
{
    std::ostringstream out;
    card.WriteCard(out, version);
    return out.str();
}

class PersonAnswer final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

// "kind title=target" for each detail of an item, in list order.
Strings Details(const TKPXObject& item)
{
    Strings details;
    for (int i = 0; i < item.ChildCount(); ++i) {
        const TKPXObject& child = *item.ChildAt(i);
        details.push_back(std::string(KindName(child.GetKind())) + " " + child.GetTitle() + "=" + child.GetTarget());
    }
    return details;
}

template <typename T = TKPXObject>
T& Make(int kind, std::string_view title, std::string_view target, TreeNode& parent, std::string_view details = "")
{
    return dynamic_cast<T&>(*CreateItem(kind, title, target, "", parent, details, 0));
}

TPersonObject& Person(TreeNode& parent)
{
    auto& person = Make<TPersonObject>(KindPerson, "Johnny", "Mr. John Doe", parent);
    person.SetNames("Mr.", "John", "Quincy", "Doe");
    person.SetComment("Met in Zürich; likes \\ and , marks");
    TreeNode& node = *person.GetTreeNode();
    Make(KindAddress, "Home", "1 Main St, Apt 2", node,
         "{Addr}1 Main St, Apt 2~~~~Back door~~Springfield~~IL~~62701~~USA~~0");
    Make(KindAddress, "Cabin", "Lake Rd", node, "{Addr}Lake Rd~~~~~~Pine; North~~~~~~~~0");
    Make(KindPhone, "Office", "555-0101", node);
    Make(KindPhone, "Mobile", "555-0102", node);
    Make(KindFax, "Fax", "555-0103", node);
    Make(KindFax, "Old Fax", "555-0104", node);
    Make(KindEMail, "Mail", "john@example.com", node);
    Make(KindEMail, "Other", "john@work.example", node);
    person.SetPrimary(TPartyObject::SlotAddress, "Home");
    person.SetPrimary(TPartyObject::SlotPhone, "Mobile");
    person.SetPrimary(TPartyObject::SlotFax, "Fax");
    person.SetPrimary(TPartyObject::SlotEMail, "Other");
    return person;
}

} // namespace

TEST(VCardVersions, OldCardsDecodeQuotedPrintableCharsetsAndTypeParameters)
{
    const TCardProperty n = Parsed("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=9Cberg;J=C3=BCrgen=3B=2C");
    EXPECT_EQ(n.Name, "N");
    EXPECT_EQ(n.Values, (Strings{"Überg", "Jürgen;,"}));
    EXPECT_EQ(n.Params, 0U);
    EXPECT_EQ(Parsed("FN;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:Ren=E9e").Value(0), "Renée");
    EXPECT_EQ(Parsed("FN;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:=80 =E9=9F").Value(0), "€ éŸ");
    EXPECT_EQ(Parsed("FN;CHARSET=KOI8-R:\xf0\xd2").Value(0), "\xf0\xd2");
    // Line breaks stay in the value as LF; items make blanks of them.
    EXPECT_EQ(Parsed("NOTE;ENCODING=QUOTED-PRINTABLE:a=0D=0Ab=0Ac=3Dd=ZZ=").Value(0), "a\nb\nc=d=ZZ=");
    // Without an encoding nothing is decoded.
    EXPECT_EQ(Parsed("NOTE:=C3=9C").Value(0), "=C3=9C");

    EXPECT_EQ(Parsed("TEL;TYPE=WORK;TYPE=pref:1").Params, Parsed("TEL;WORK;PREF:1").Params);
    EXPECT_EQ(Parsed("TEL;TYPE=WORK,VOICE:1").ParamDisplayText(), "Office,Voice Line");
}

TEST(VCardVersions, NewCardsReadNamesParametersEscapesAndUris)
{
    for (const VCardVersion version : {VCardVersion::V30, VCardVersion::V40}) {
        const TCardProperty email = Parsed("item1.email;type=INTERNET;type=pref:a@b.example", version);
        EXPECT_EQ(email.Name, "EMAIL");
        EXPECT_EQ(email.ParamDisplayText(), "Preferred,Internet");
        EXPECT_EQ(Parsed("TEL;TYPE=\"work,voice\";TYPE=cell:1", version).ParamDisplayText(),
                  "Office,Voice Line,Cellular");
        EXPECT_EQ(Parsed("TEL;WORK:1", version).ParamDisplayText(), "Office");

        const TCardProperty adr = Parsed("ADR:;;1 Main St\\, Apt 2;Town\\;North;;;", version);
        EXPECT_EQ(adr.Values, (Strings{"", "", "1 Main St, Apt 2", "Town;North", "", "", ""}));
        EXPECT_EQ(Parsed("NOTE:a\\nb\\Nc\\\\n\\,;d,e\\x", version).Values, Strings{"a\nb\nc\\n,;d,e\\x"});
        EXPECT_EQ(Parsed("CATEGORIES:Friends,Work\\,Play", version).Values, (Strings{"Friends", "Work,Play"}));
        EXPECT_EQ(Parsed("NOTE;TYPE=\"a:b\":c", version).Value(0), "c");
        EXPECT_TRUE(Parsed("FN:", version).Values.empty());

        EXPECT_EQ(Parsed("TEL;VALUE=uri:tel:+1-555-0100;ext=7", version).Value(0), "+1-555-0100 ext 7");
        EXPECT_EQ(Parsed("TEL;VALUE=uri:tel:(555)%20123-4567;isub=1;EXT=7%237", version).Value(0),
                  "(555) 123-4567 ext 7#7");
        EXPECT_EQ(Parsed("EMAIL:mailto:x@y.example", version).Value(0), "x@y.example");
        const TCardProperty url = Parsed("URL:MAILTO:z@y.example", version);
        EXPECT_EQ(url.Name, "EMAIL");
        EXPECT_EQ(url.Value(0), "z@y.example");
        EXPECT_EQ(Parsed("URL:http://y.example/a,b;c", version).Value(0), "http://y.example/a,b;c");
    }
    EXPECT_TRUE(Parsed("TEL;PREF=1:1", VCardVersion::V40).HasParam(ParamPref));
    EXPECT_FALSE(Parsed("TEL;PREF=2:1", VCardVersion::V40).HasParam(ParamPref));
    EXPECT_FALSE(Parsed("TEL;PREF=1:1", VCardVersion::V30).HasParam(ParamPref));
}

TEST(VCardVersions, TheCardsVersionDecidesHowItsLinesAreRead)
{
    const std::string tail = "tel;work:5\r\n"
                             "NOTE:long\r\n"
                             " er\r\n"
                             "PHOTO;ENCODING=b:AAAA\r\n"
                             " TEL:BBBB\r\n"
                             "\tTEL:CCCC\r\n"
                             "END:VCARD\r\n";
    const TVCardFile file = ReadText("BEGIN:VCARD\r\nVERSION:3.0\r\n" + tail + "BEGIN:VCARD\r\n" + tail +
                                     "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                                     "NOTE;QUOTED-PRINTABLE:one=\r\n"
                                     "two=\r\n"
                                     "TEL:3\r\n"
                                     "PHOTO;ENCODING=BASE64:AAAA\r\n"
                                     "TELBBBB\r\n"
                                     "\r\n"
                                     "TEL:4\r\n"
                                     "END:VCARD\r\n");
    ASSERT_EQ(file.CardCount(), 3);
    const TCard& unfolded = file.Cards(0);
    ASSERT_EQ(unfolded.PropertyCount(), 2);
    EXPECT_EQ(unfolded.Properties(0).AsText(), "TEL;WORK:5");
    EXPECT_EQ(unfolded.Properties(1).AsText(), "NOTE:longer");

    // Without VERSION: 2.1, where the lower-case name stays and the continuations are no lines.
    const TCard& old = file.Cards(1);
    ASSERT_EQ(old.PropertyCount(), 2);
    EXPECT_EQ(old.Properties(0).Name, "tel");
    EXPECT_EQ(old.Properties(1).AsText(), "NOTE:long");

    const TCard& soft = file.Cards(2);
    ASSERT_EQ(soft.PropertyCount(), 2);
    EXPECT_EQ(soft.Properties(0).Value(0), "onetwoTEL:3");
    EXPECT_EQ(soft.Properties(1).AsText(), "TEL:4");
}

TEST(VCardVersions, NewCardsAreWrittenEscapedFoldedAndTypedForTheirVersion)
{
    ItemTree tree;
    const TPersonObject& person = Person(tree.Root());
    EXPECT_EQ(CardText(MakeVCard(person, VCardVersion::V30), VCardVersion::V30),
              "BEGIN:VCARD\r\nVERSION:3.0\r\n"
              "N:Doe;John;Quincy;Mr.;\r\n"
              "FN:Johnny\r\n"
              "NOTE:Met in Zürich\\; likes \\\\ and \\, marks\r\n"
              "item1.ADR;TYPE=HOME,PREF:;\\nBack door;1 Main St\\, Apt 2;Springfield;IL;6270\r\n 1;USA\r\n"
              "item1.X-ABLabel:Home\r\n"
              "item2.ADR:;;Lake Rd;Pine\\; North;;;\r\n"
              "item2.X-ABLabel:Cabin\r\n"
              "TEL;TYPE=WORK:555-0101\r\n"
              "item3.TEL;TYPE=PREF,CELL:555-0102\r\n"
              "item3.X-ABLabel:Mobile\r\n"
              "item4.TEL;TYPE=PREF,FAX:555-0103\r\n"
              "item4.X-ABLabel:Fax\r\n"
              "item5.TEL;TYPE=FAX:555-0104\r\n"
              "item5.X-ABLabel:Old Fax\r\n"
              "item6.EMAIL;TYPE=INTERNET:john@example.com\r\n"
              "item6.X-ABLabel:Mail\r\n"
              "item7.EMAIL;TYPE=PREF,INTERNET:john@work.example\r\n"
              "item7.X-ABLabel:Other\r\n"
              "END:VCARD\r\n");
    const std::string v4 = CardText(MakeVCard(person, VCardVersion::V40), VCardVersion::V40);
    EXPECT_NE(v4.find("VERSION:4.0\r\n"), std::string::npos);
    EXPECT_NE(v4.find("\r\nTEL;TYPE=work:555-0101\r\n"), std::string::npos);
    EXPECT_NE(v4.find("\r\nitem4.TEL;TYPE=fax;PREF=1:555-0103\r\nitem4.X-ABLabel:Fax\r\n"), std::string::npos);
    EXPECT_NE(v4.find("\r\nitem7.EMAIL;PREF=1:john@work.example\r\n"), std::string::npos);
    EXPECT_NE(v4.find("\r\nitem6.EMAIL:john@example.com\r\n"), std::string::npos);

    // Folding: 75 octets at most, a continuation starts with one blank, "é" is never cut.
    TCard card;
    card.AddLine("NOTE:" + std::string(69, 'x') + "ééé" + std::string(150, 'y'));
    const std::string text = CardText(card, VCardVersion::V30);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        ASSERT_EQ(line.back(), '\r');
        EXPECT_LE(line.size(), 76U);
    }
    EXPECT_NE(text.find("\r\nNOTE:" + std::string(69, 'x') + "\r\n ééé" + std::string(68, 'y') + "\r\n y"),
              std::string::npos);
    EXPECT_EQ(ReadText(text).Cards(0).Properties(0).Value(0), card.Properties(0).Value(0));
}

TEST(VCardVersions, APersonWrittenAsThreeOrFourComesBackWhole)
{
    for (const VCardVersion version : {VCardVersion::V30, VCardVersion::V40}) {
        SCOPED_TRACE(std::string(VCardVersionText(version)));
        ItemTree tree;
        std::ostringstream out;
        TVCardFile written;
        written.Version = version;
        written.AddCard(MakeVCard(Person(tree.Root()), version));
        written.Write(out);
        std::istringstream in(out.str());
        PersonAnswer answer;
        ItemTree other;
        ASSERT_EQ(ImportVCardFile(in, other.Root(), answer).made, 1);
        const auto& back = dynamic_cast<const TPersonObject&>(*other.Root().FirstChild()->Data());

        EXPECT_EQ(back.GetTitle(), "Johnny");
        EXPECT_EQ(back.GetComment(), "Met in Zürich; likes \\ and , marks");
        EXPECT_EQ((Strings{back.Salutation(), back.FirstName(), back.MiddleName(), back.LastName()}),
                  (Strings{"Mr.", "John", "Quincy", "Doe"}));
        // Every title comes back as it was.
        EXPECT_EQ(Details(back),
                  (Strings{"address Home=1 Main St, Apt 2", "address Cabin=Lake Rd", "e-mail Mail=john@example.com",
                           "e-mail Other=john@work.example", "phone Office=555-0101", "phone Mobile=555-0102",
                           "fax Fax=555-0103", "fax Old Fax=555-0104"}));
        const auto& home = dynamic_cast<const TAddressObject&>(*back.PrimaryChild(TPartyObject::SlotAddress));
        EXPECT_EQ(home.Lines(), (Strings{"1 Main St, Apt 2", "", "Back door"}));
        EXPECT_EQ((Strings{home.City(), home.State(), home.PostCode(), home.Country()}),
                  (Strings{"Springfield", "IL", "62701", "USA"}));
        EXPECT_EQ(dynamic_cast<const TAddressObject&>(*back.ChildAt(1)).City(), "Pine; North");
        EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotPhone)->GetTarget(), "555-0102");
        EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotFax)->GetTarget(), "555-0103");
        EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotEMail)->GetTarget(), "john@work.example");
    }
}

TEST(VCardVersions, WritingAFileInAVersionNeedsAPersonOrOrganization)
{
    TempDir dir;
    ItemTree tree;
    auto& org = Make<TOrgObject>(KindOrganization, "Acme; Sons", "", tree.Root());
    ASSERT_TRUE(WriteVCard(org, dir / "org.vcf", VCardVersion::V40));
    TVCardFile file;
    file.Filename = dir / "org.vcf";
    file.Load();
    ASSERT_EQ(file.CardCount(), 1);
    EXPECT_EQ(file.Cards(0).FindProperty("ORG")->Value(0), "Acme; Sons");
    EXPECT_FALSE(WriteVCard(tree.RootItem(), dir / "root.vcf", VCardVersion::V30));
    EXPECT_FALSE(std::filesystem::exists(dir / "root.vcf"));
}

TEST(VCardVersions, DatesCategoriesAndRejectedCards)
{
    TestWorld world;
    ItemTree tree(world.Services());
    CategoryNames names;
    names[0] = "Business";
    names[2] = "friends ";
    names[31] = "Science";
    PersonAnswer answer;
    std::istringstream in("BEGIN:VCARD\r\nVERSION:4.0\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ada\r\nBDAY:18151210\r\nANNIVERSARY:--0229\r\n"
                          "CATEGORIES:Science,FRIENDS,Unknown\r\nCATEGORIES:business\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nX-ONLY:1\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bad dates\r\nBDAY:1815-13-10\r\n"
                          "ANNIVERSARY:2001-02-29\r\nEND:VCARD\r\n");
    const ImportCounts counts = ImportVCardFile(in, tree.Root(), answer, {}, names);
    EXPECT_EQ(counts.made, 2);
    EXPECT_EQ((counts.madeByKind), (std::map<int, int>{{KindPerson, 2}}));
    EXPECT_EQ(counts.reasons, (Strings{"card 1: no name or contact details", "card 3: no name or contact details"}));

    const TKPXObject& ada = *tree.Root().ChildAt(0)->Data();
    EXPECT_EQ(ada.GetCategories(), static_cast<std::int32_t>(1U | 4U | 1U << 31));
    ASSERT_EQ(ada.ChildCount(), 2);
    const auto& birthday = dynamic_cast<const TReminderObject&>(*ada.ChildAt(0));
    EXPECT_EQ(birthday.GetTitle(), "Birthday");
    // On its next occurrence by the clock (8 December 2026), keeping the year it began.
    EXPECT_EQ(birthday.RecurDate().GetAsText(), "2026,12,10,2");
    EXPECT_EQ(OriginText(birthday.Began()), "1815-12-10");
    EXPECT_EQ(birthday.GetTarget(), birthday.RecurDate().GetDateText());
    // No year stays none; 29 February falls on the 28th of a year without it.
    EXPECT_EQ(ada.ChildAt(1)->GetTitle(), "Anniversary");
    const auto& anniversary = dynamic_cast<const TReminderObject&>(*ada.ChildAt(1));
    EXPECT_EQ(anniversary.RecurDate().GetAsText(), "2027,2,28,2");
    EXPECT_EQ(OriginText(anniversary.Began()), "--02-29");
    EXPECT_EQ(tree.Root().ChildAt(1)->Data()->ChildCount(), 0);

    EXPECT_EQ(ParseVCardDate("1999-07-04T10:00:00Z", 2026)->month, 7);
    EXPECT_EQ(ParseVCardDate("--07-04", 2026)->year, 2026);
    EXPECT_FALSE(ParseVCardDate("--0704x", 2026));
    EXPECT_FALSE(ParseVCardDate("0000-01-01", 2026));
    EXPECT_FALSE(ParseVCardDate("circa 1800", 2026));
}
