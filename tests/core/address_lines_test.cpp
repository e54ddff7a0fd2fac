// SPDX-License-Identifier: GPL-3.0-or-later
// Address lines, whatever brings them: the data file keeps three, so nothing past the third may be
// lost on the way in, and a card's street is the address's first line.
#include "support/test_files.h"

#include "exchange/csv_export.h"
#include "exchange/party_vcard.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_import.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {

using Strings = std::vector<std::string>;

class PersonAnswer final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

const TAddressObject& OnlyAddress(const ItemTree& tree)
{
    const TKPXObject& owner = *tree.Root().ChildAt(0)->Data();
    return dynamic_cast<const TAddressObject&>(*owner.ChildAt(0));
}

// The address of a one-card file holding the ADR line.
Strings LinesOfCard(const std::string& adr, std::string version = "3.0")
{
    ItemTree tree;
    PersonAnswer answer;
    std::istringstream in("BEGIN:VCARD\r\nVERSION:" + version + "\r\nFN:A\r\n" + adr + "\r\nEND:VCARD\r\n");
    ImportVCardFile(in, tree.Root(), answer);
    const TAddressObject& address = OnlyAddress(tree);
    EXPECT_EQ(address.GetTarget(), address.Lines()[0]);
    return address.Lines();
}

} // namespace

TEST(AddressLines, LinesPastTheThirdJoinTheThirdAndTheDataFileKeepsThem)
{
    ItemTree tree;
    auto& folder = *CreateItem(KindFolder, "F", "", "", tree.Root(), "{Fold}0", 0);
    auto& address =
        static_cast<TAddressObject&>(*CreateItem(KindAddress, "Home", "", "", *folder.GetTreeNode(), "", 0));
    // The address box of the dialog: five lines, one of them empty.
    address.Apply({"Home", {"1 Main St", "Suite 200", "Building C", "", "Rear entrance"}, "Town", "", "", "", ""});
    EXPECT_EQ(address.Lines(), (Strings{"1 Main St", "Suite 200", "Building C, Rear entrance"}));
    address.SetLines({"a", "b", "", "d"});
    EXPECT_EQ(address.Lines(), (Strings{"a", "b", "d"}));
    address.SetLines({"a"});
    EXPECT_EQ(address.Lines(), (Strings{"a", "", ""}));

    address.SetLines({"1 Main St", "Suite 200", "Building C", "Rear entrance"});
    ItemTree reloaded;
    std::istringstream saved(SavedTree(tree));
    LoadDataStream(saved, reloaded.Root());
    EXPECT_EQ(OnlyAddress(reloaded).Lines(), (Strings{"1 Main St", "Suite 200", "Building C, Rear entrance"}));
}

TEST(AddressLines, ThePersonDialogsAddressBoxLosesNoLine)
{
    ItemTree tree;
    auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, "P", "", "", tree.Root(), "", 0));
    PartyForm form = person.NewForm();
    form.address.lines = {"1 Main St", "Suite 200", "Building C", "Rear entrance"};
    person.ApplyForm(form, EditMode::New);
    EXPECT_EQ(OnlyAddress(tree).Lines(), (Strings{"1 Main St", "Suite 200", "Building C, Rear entrance"}));
}

TEST(VCardAddress, TheStreetIsTheFirstLineThenTheExtendedAddressThenThePostBox)
{
    EXPECT_EQ(LinesOfCard("ADR:;;12 High St;Springfield;;;"), (Strings{"12 High St", "", ""}));
    EXPECT_EQ(LinesOfCard("ADR:PO Box 5;Floor 2;1 Main St;Town;;;"), (Strings{"1 Main St", "Floor 2", "PO Box 5"}));
    EXPECT_EQ(LinesOfCard("ADR:PO Box 5;;;Town;;;"), (Strings{"PO Box 5", "", ""}));
    // Lines inside a part (Outlook's street over two lines, an extended address of two), and more
    // lines than three: the rest joins the third.
    EXPECT_EQ(LinesOfCard("ADR;ENCODING=QUOTED-PRINTABLE:;;1 Main St=0D=0ASuite 200;Town;;;", "2.1"),
              (Strings{"1 Main St", "Suite 200", ""}));
    EXPECT_EQ(LinesOfCard("ADR:PO Box 5;Building C\\nFloor 2;1 Main St;Town;;;"),
              (Strings{"1 Main St", "Building C", "Floor 2, PO Box 5"}));
}

TEST(VCardAddress, AnAddressFromACardExportsItsFirstLineAsDelimitedText)
{
    ItemTree tree;
    PersonAnswer answer;
    std::istringstream in(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Roe;Rita\r\nADR;HOME;PREF:;Flat 2;12 High St;Springfield;;;\r\n"
        "END:VCARD\r\n");
    ImportVCardFile(in, tree.Root(), answer);
    std::ostringstream csv;
    WriteCsvRows(tree.Root(), {{"Address Line 1", "Address Line 2", "City"}, KindPerson, false}, csv);
    EXPECT_EQ(csv.str(), "\"12 High St\",\"Flat 2\",\"Springfield\"\r\n");
}

TEST(VCardAddress, EveryVersionWritesTheStreetFirstAndReadsAllThreeLinesBack)
{
    for (const VCardVersion version : {VCardVersion::V21, VCardVersion::V30, VCardVersion::V40}) {
        SCOPED_TRACE(std::string(VCardVersionText(version)));
        ItemTree tree;
        auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, "P", "", "", tree.Root(), "", 0));
        for (const Strings& lines : {Strings{"1 Main St", "Suite 200", "Building C"}, Strings{"Hof 3", "", "links"},
                                     Strings{"Lake Rd", "Cabin; 2", ""}}) {
            auto& address = static_cast<TAddressObject&>(
                *CreateItem(KindAddress, "Home", lines[0], "", *person.GetTreeNode(), "", 0));
            address.SetLines(lines);
            address.SetCity("Town");
        }
        const TCard card = MakeVCard(person, version);
        const TCardProperty* adr = card.FindProperty("ADR");
        ASSERT_NE(adr, nullptr);
        EXPECT_EQ(adr->Values, (Strings{"", "Suite 200\nBuilding C", "1 Main St", "Town", "", "", ""}));

        TVCardFile file;
        file.Version = version;
        file.AddCard(card);
        std::ostringstream out;
        file.Write(out);
        ItemTree back;
        PersonAnswer answer;
        std::istringstream in(out.str());
        ImportVCardFile(in, back.Root(), answer);
        const TKPXObject& read = *back.Root().ChildAt(0)->Data();
        ASSERT_EQ(read.ChildCount(), 3);
        EXPECT_EQ(dynamic_cast<const TAddressObject&>(*read.ChildAt(0)).Lines(),
                  (Strings{"1 Main St", "Suite 200", "Building C"}));
        EXPECT_EQ(dynamic_cast<const TAddressObject&>(*read.ChildAt(1)).Lines(), (Strings{"Hof 3", "", "links"}));
        EXPECT_EQ(dynamic_cast<const TAddressObject&>(*read.ChildAt(2)).Lines(), (Strings{"Lake Rd", "Cabin; 2", ""}));
    }
}
