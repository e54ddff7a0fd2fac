// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"

#include "common/file_error.h"
#include "exchange/party_vcard.h"
#include "exchange/vcard_card.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_import.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "model/record_writer.h"
#include "model/tree_observer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Records(const ItemTree& tree)
{
    std::ostringstream out;
    WriteTreeRecords(tree, out);
    return out.str();
}

// Identifiers drawn in a fixed order, so whole trees can be compared.
void CountIds(ItemTree& tree)
{
    tree.Ids().SetRandomSource([n = 0](std::int32_t bound) mutable { return ++n % bound; });
}

// Answers every question the same way and keeps what it was shown.
class FixedAnswer final : public OrgCardQuestion
{
public:
    explicit FixedAnswer(bool organization) : m_organization(organization) {}
    bool ImportAsOrganization(const std::string& displayName, const std::string& organization) override
    {
        asked.push_back(displayName + "|" + organization);
        return m_organization;
    }
    Strings asked;

private:
    bool m_organization;
};

ImportCounts ImportText(const std::string& text, TreeNode& destination, OrgCardQuestion& question,
                        const ProgressFn& progress = {})
{
    std::istringstream in(text);
    return ImportVCardFile(in, destination, question, progress);
}

std::string CardText(const TCard& card)
{
    std::ostringstream out;
    card.WriteCard(out);
    return out.str();
}

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

template <typename T>
T& Make(int kind, std::string_view title, std::string_view target, TreeNode& parent, std::string_view details = "")
{
    return dynamic_cast<T&>(*CreateItem(kind, title, target, "a comment", parent, details, 0));
}

// A person with every kind of detail, two of each contact kind, one of each primary.
TPersonObject& FullPerson(TreeNode& parent)
{
    auto& person = Make<TPersonObject>(KindPerson, "Johnny", "Mr. John Doe", parent);
    person.SetNames("Mr.", "John", "Quincy", "Doe");
    TreeNode& node = *person.GetTreeNode();
    Make<TAddressObject>(KindAddress, "Home", "1 Main St", node,
                         "{Addr}1 Main St~~Apt 2~~Back door~~Springfield~~IL~~62701~~USA~~0");
    Make<TAddressObject>(KindAddress, "Cabin", "Lake Rd", node, "{Addr}Lake Rd~~~~~~Pine~~~~~~~~0");
    Make<TPhoneObject>(KindPhone, "Office", "555-0101", node, "{Phon}12~~0");
    Make<TPhoneObject>(KindPhone, "Mobile", "555-0102", node);
    Make<TFaxObject>(KindFax, "Fax", "555-0103", node);
    Make<TFaxObject>(KindFax, "Old Fax", "555-0104", node);
    Make<TEMailObject>(KindEMail, "Mail", "john@example.com", node);
    Make<TEMailObject>(KindEMail, "Other", "john@work.example", node);
    Make<TWebObject>(KindWebsite, "Site", "http://john.example", node);
    CreateItem(KindReminder, "Birthday", "", "", node, "{Remd}1975,3,14,2~~0", 0);
    person.SetPrimary(TPartyObject::SlotAddress, "Home");
    person.SetPrimary(TPartyObject::SlotPhone, "Office");
    person.SetPrimary(TPartyObject::SlotFax, "Fax");
    person.SetPrimary(TPartyObject::SlotEMail, "Mail");
    person.SetPrimary(TPartyObject::SlotWebsite, "Site");
    return person;
}

class ResetLog final : public TreeObserver
{
public:
    void NodeAdded(TreeNode&) override { events.push_back("add"); }
    void ChildrenSorted(TreeNode&, const std::vector<int>&) override { events.push_back("sort"); }
    void NodeChanged(TreeNode&) override { events.push_back("change"); }
    void TreeResetStarted() override { events.push_back("reset?"); }
    void TreeResetEnded() override { events.push_back("reset"); }
    Strings events;
};

} // namespace

// Each .vcf file in data/vcard, imported beneath the root with every organization question
// answered "Import as Orgn.", must give the tree of its .expected file, byte for byte.
TEST(VCardImport, GoldenFiles)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLARY_TEST_DATA) / "vcard")) {
        const fs::path input = entry.path();
        if (input.extension() != ".vcf")
            continue;
        SCOPED_TRACE(input.filename().string());
        TestWorld world;
        ItemTree tree(world.Services());
        CountIds(tree);
        FixedAnswer organization(true);
        const ImportCounts counts = ImportVCardFile(input, tree.Root(), organization);
        EXPECT_EQ(counts.made, tree.Root().ChildCount());
        EXPECT_EQ(counts.rejected, 0);
        auto expected = input;
        EXPECT_EQ(Records(tree), ReadWhole(expected.replace_extension(".expected")));
        ++checked;
    }
    EXPECT_GE(checked, 8);
}

TEST(VCardImport, AsksOnlyAboutCardsWithAnOrganization)
{
    ItemTree tree;
    FixedAnswer person(false);
    const ImportCounts counts = ImportText("BEGIN:VCARD\nN:Doe;John;Q;Dr.;Jr.\nORG:Acme;Sales\nEND:VCARD\n"
                                           "BEGIN:VCARD\nORG:Initech\nEND:VCARD\n"
                                           "BEGIN:VCARD\nN:;;;\nORG:\nEND:VCARD\n"
                                           "BEGIN:VCARD\nN:Roe;Rita\nEND:VCARD\n",
                                           tree.Root(), person);
    EXPECT_EQ(counts.made, 4);
    EXPECT_EQ(person.asked, (Strings{"Dr. John Q Doe|Acme", "New|Initech", "   |"}));
    for (int i = 0; i < tree.Root().ChildCount(); ++i)
        EXPECT_EQ(tree.Root().ChildAt(i)->Data()->GetKind(), KindPerson);

    ItemTree orgs;
    FixedAnswer organization(true);
    ImportText("BEGIN:VCARD\nN:Doe;John\nORG:\nTITLE:Boss\nEND:VCARD\n", orgs.Root(), organization);
    ASSERT_EQ(orgs.Root().ChildCount(), 1);
    EXPECT_EQ(orgs.Root().FirstChild()->Data()->GetKind(), KindOrganization);
    EXPECT_EQ(orgs.Root().FirstChild()->Text(), "");
}

TEST(VCardImport, FillsTheDestinationOnlyAndResetsItsViewsOnce)
{
    ItemTree tree;
    TreeNode& folder = *CreateItem(KindFolder, "Imported", "", "", tree.Root(), "{Fold}0", 0)->GetTreeNode();
    ResetLog log;
    tree.AddObserver(&log);
    FixedAnswer person(false);
    ImportText("BEGIN:VCARD\nN:Zed\nEND:VCARD\nBEGIN:VCARD\nN:Abe\nURL:http://a.example\nEND:VCARD\n", folder, person);
    tree.RemoveObserver(&log);
    EXPECT_EQ(log.events, (Strings{"reset?", "reset"}));
    EXPECT_EQ(tree.Root().ChildCount(), 1);
    ASSERT_EQ(folder.ChildCount(), 2);
    EXPECT_EQ(folder.ChildAt(0)->Text(), " Abe");
    EXPECT_EQ(folder.ChildAt(1)->Text(), " Zed");
    EXPECT_EQ(folder.ChildAt(0)->FirstChild()->Text(), "Web URL");
}

TEST(VCardImport, ProgressCanStopBetweenCards)
{
    ItemTree tree;
    FixedAnswer person(false);
    Strings seen;
    const ImportCounts counts =
        ImportText("BEGIN:VCARD\nN:A\nEND:VCARD\nBEGIN:VCARD\nN:B\nEND:VCARD\nBEGIN:VCARD\nN:C\nEND:VCARD\n",
                   tree.Root(), person, [&](std::uint64_t done, std::uint64_t total) {
                       seen.push_back(std::to_string(done) + "/" + std::to_string(total));
                       return done < 2;
                   });
    EXPECT_EQ(counts.made, 2);
    EXPECT_EQ(seen, (Strings{"1/3", "2/3"}));
    EXPECT_EQ(tree.Root().ChildCount(), 2);
}

TEST(VCardImport, AFileThatCannotBeOpenedImportsNothing)
{
    ItemTree tree;
    FixedAnswer person(false);
    EXPECT_THROW(ImportVCardFile(fs::path(QUILLARY_TEST_DATA) / "vcard" / "missing.vcf", tree.Root(), person),
                 FileError);
    EXPECT_EQ(tree.NodeCount(), 1);
}

TEST(VCardWrite, DetailLinesByKind)
{
    ItemTree tree;
    TreeNode& node = *CreateItem(KindPerson, "P", "", "", tree.Root(), "", 0)->GetTreeNode();
    // Line 1 is the street, lines 2 and 3 the extended address, which takes two lines.
    EXPECT_EQ(DetailVCardLine(Make<TAddressObject>(KindAddress, "A", "1", node, "{Addr}1~~2~~3~~C~~S~~P~~K~~0")),
              "ADR;ENCODING=QUOTED-PRINTABLE:;2=0D=0A3;1;C;S;P;K");
    EXPECT_EQ(DetailVCardLine(Make<TAddressObject>(KindAddress, "A", "1", node, "{Addr}1~~2~~~~C~~S~~P~~K~~0")),
              "ADR:;2;1;C;S;P;K");
    EXPECT_EQ(DetailVCardLine(Make<TAddressObject>(KindAddress, "A", "", node)), "ADR:;;;;;;");
    EXPECT_EQ(DetailVCardLine(Make<TPhoneObject>(KindPhone, "T", "555", node, "{Phon}12~~0")), "TEL:555");
    EXPECT_EQ(DetailVCardLine(Make<TFaxObject>(KindFax, "F", "556", node)), "TEL;FAX:556");
    EXPECT_EQ(DetailVCardLine(Make<TEMailObject>(KindEMail, "E", "a@b", node)), "EMAIL;INTERNET:a@b");
    EXPECT_EQ(DetailVCardLine(Make<TEMailObject>(KindEMail, "E", "x400:abc", node)), "EMAIL:x400:abc");
    EXPECT_EQ(DetailVCardLine(Make<TWebObject>(KindWebsite, "W", "http://w", node)), "URL:http://w");
    EXPECT_EQ(DetailVCardLine(*CreateItem(KindReminder, "R", "", "", node, "", 0)), "");
    EXPECT_EQ(DetailVCardLine(tree.RootItem()), "");
}

TEST(VCardWrite, PrimaryDetailsArePreferredAndTitlesTravelAsTypesOrLabels)
{
    ItemTree tree;
    const TPersonObject& person = FullPerson(tree.Root());
    EXPECT_EQ(
        CardText(MakeVCard(person, VCardVersion::V21)),
        "begin:vcard\r\n"
        "N:Doe;John;Quincy;Mr.\r\n"
        "FN:Johnny\r\n"
        "NOTE:a comment\r\n"
        "item1.ADR;HOME;PREF;ENCODING=QUOTED-PRINTABLE:;Apt 2=0D=0ABack door;1 Main St;Springfield;IL;62701;USA\r\n"
        "item1.X-ABLabel:Home\r\n"
        "item2.ADR:;;Lake Rd;Pine;;;\r\n"
        "item2.X-ABLabel:Cabin\r\n"
        "item3.TEL;WORK;PREF:555-0101 ext 12\r\n"
        "item3.X-ABLabel:Office\r\n"
        "item4.TEL;CELL:555-0102\r\n"
        "item4.X-ABLabel:Mobile\r\n"
        "item5.TEL;PREF;FAX:555-0103\r\n"
        "item5.X-ABLabel:Fax\r\n"
        "item6.TEL;FAX:555-0104\r\n"
        "item6.X-ABLabel:Old Fax\r\n"
        "item7.EMAIL;PREF;INTERNET:john@example.com\r\n"
        "item7.X-ABLabel:Mail\r\n"
        "item8.EMAIL;INTERNET:john@work.example\r\n"
        "item8.X-ABLabel:Other\r\n"
        "item9.URL;PREF:http://john.example\r\n"
        "item9.X-ABLabel:Site\r\n"
        "BDAY:1975-03-14\r\n"
        "end:vcard\r\n");

    // Titles that the types give back need no label.
    ItemTree plain;
    auto& org = Make<TOrgObject>(KindOrganization, "Acme, Inc", "", plain.Root());
    org.SetComment("");
    Make<TPhoneObject>(KindPhone, "Office,Voice Line", "1", *org.GetTreeNode());
    Make<TPhoneObject>(KindPhone, "Preferred,Cellular", "2", *org.GetTreeNode());
    Make<TEMailObject>(KindEMail, "Internet", "a@b.example", *org.GetTreeNode());
    org.SetPrimary(TPartyObject::SlotPhone, "Preferred,Cellular");
    EXPECT_EQ(CardText(MakeVCard(org, VCardVersion::V21)), "begin:vcard\r\nN:Acme, Inc\r\nFN:Acme, Inc\r\n"
                                                           "ORG:Acme, Inc\r\nTEL;WORK;VOICE:1\r\nTEL;PREF;CELL:2\r\n"
                                                           "EMAIL;INTERNET:a@b.example\r\nend:vcard\r\n");
}

TEST(VCardWrite, OnlyTheDetailASlotFindsIsPreferred)
{
    ItemTree tree;
    auto& org = Make<TOrgObject>(KindOrganization, "Acme", "", tree.Root());
    org.SetComment("");
    Make<TPhoneObject>(KindPhone, "", "1", *org.GetTreeNode());
    Make<TPhoneObject>(KindPhone, "Main", "2", *org.GetTreeNode());
    Make<TPhoneObject>(KindPhone, "Main", "3", *org.GetTreeNode());
    Make<TEMailObject>(KindEMail, "", "a@b", *org.GetTreeNode());
    org.SetPrimary(TPartyObject::SlotPhone, "Main");
    EXPECT_EQ(CardText(MakeVCard(org, VCardVersion::V21)),
              "begin:vcard\r\nN:Acme\r\nFN:Acme\r\nORG:Acme\r\nTEL:1\r\n"
              "item1.TEL;PREF:2\r\nitem1.X-ABLabel:Main\r\nitem2.TEL:3\r\nitem2.X-ABLabel:Main\r\n"
              "EMAIL;INTERNET:a@b\r\nend:vcard\r\n");
}

TEST(VCardRoundTrip, APersonKeepsEveryFieldOfItsDetailsThroughA21File)
{
    ItemTree tree;
    TVCardFile written;
    written.AddCard(MakeVCard(FullPerson(tree.Root()), VCardVersion::V21));
    std::ostringstream text;
    written.Write(text);
    TestWorld world;
    ItemTree other(world.Services());
    FixedAnswer person(false);
    ASSERT_EQ(ImportText(text.str(), other.Root(), person).made, 1);
    const auto& back = dynamic_cast<const TPersonObject&>(*other.Root().FirstChild()->Data());

    EXPECT_EQ(back.GetTitle(), "Johnny");
    EXPECT_EQ(back.GetTarget(), "Mr. John Doe");
    EXPECT_EQ(back.GetComment(), "a comment");
    EXPECT_EQ((Strings{back.Salutation(), back.FirstName(), back.MiddleName(), back.LastName()}),
              (Strings{"Mr.", "John", "Quincy", "Doe"}));
    EXPECT_EQ(Details(back),
              (Strings{"address Home=1 Main St", "address Cabin=Lake Rd", "e-mail Mail=john@example.com",
                       "e-mail Other=john@work.example", "phone Office=555-0101", "phone Mobile=555-0102",
                       "fax Fax=555-0103", "fax Old Fax=555-0104", "reminder Birthday=3/14/2027"}));
    ASSERT_EQ(back.GetTreeNode()->ChildCount(), 1);
    EXPECT_EQ(back.GetTreeNode()->FirstChild()->Text(), "Site");

    const auto& address = dynamic_cast<const TAddressObject&>(*back.PrimaryChild(TPartyObject::SlotAddress));
    EXPECT_EQ(address.Lines(), (Strings{"1 Main St", "Apt 2", "Back door"}));
    EXPECT_EQ((Strings{address.City(), address.State(), address.PostCode(), address.Country()}),
              (Strings{"Springfield", "IL", "62701", "USA"}));
    const auto& phone = dynamic_cast<const TPhoneObject&>(*back.PrimaryChild(TPartyObject::SlotPhone));
    EXPECT_EQ(phone.GetTarget(), "555-0101");
    EXPECT_EQ(phone.Extension(), "12");
    EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotFax)->GetTarget(), "555-0103");
    EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotEMail)->GetTarget(), "john@example.com");
    EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotWebsite)->GetTarget(), "http://john.example");
}

TEST(VCardRoundTrip, AnOrganizationKeepsItsTitleAndDetailsThroughAFile)
{
    const fs::path file = fs::temp_directory_path() / ("quillary-vcard-" + std::to_string(std::random_device{}()));
    ItemTree tree;
    auto& org = Make<TOrgObject>(KindOrganization, "Acme", "", tree.Root());
    Make<TEMailObject>(KindEMail, "Sales", "sales@acme.example", *org.GetTreeNode());
    org.SetPrimary(TPartyObject::SlotEMail, "Sales");
    EXPECT_FALSE(WriteVCard(tree.RootItem(), file, VCardVersion::V21));
    ASSERT_TRUE(WriteVCard(org, file, VCardVersion::V21));
    EXPECT_EQ(ReadWhole(file),
              "begin:vcard\r\nN:Acme\r\nFN:Acme\r\nORG:Acme\r\nNOTE:a comment\r\n"
              "item1.EMAIL;PREF;INTERNET:sales@acme.example\r\nitem1.X-ABLabel:Sales\r\nend:vcard\r\n");

    ItemTree other;
    FixedAnswer organization(true);
    ImportVCardFile(file, other.Root(), organization);
    fs::remove(file);
    EXPECT_EQ(organization.asked, Strings{"Acme|Acme"});
    ASSERT_EQ(other.Root().ChildCount(), 1);
    const auto& back = dynamic_cast<const TOrgObject&>(*other.Root().FirstChild()->Data());
    EXPECT_EQ(back.GetTitle(), "Acme");
    EXPECT_EQ(back.GetComment(), "a comment");
    EXPECT_EQ(Details(back), Strings{"e-mail Sales=sales@acme.example"});
    EXPECT_EQ(back.Primary(TPartyObject::SlotEMail), "Sales");
}
