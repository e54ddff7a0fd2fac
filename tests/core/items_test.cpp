// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"

#include "links/web_link.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_document.h"
#include "model/items_party.h"
#include "model/items_reminder.h"
#include "model/items_tool.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {

class Items : public ::testing::Test
{
protected:
    TestWorld world;
    ItemTree tree{world.Services()};

    TreeNode& Node(int kind, const std::string& title, TreeNode* parent = nullptr, const std::string& details = "")
    {
        return *CreateItem(kind, title, "", "", parent ? *parent : tree.Root(), details, 0)->GetTreeNode();
    }
    template <typename T = TKPXObject>
    T& Detail(int kind, const std::string& title, TreeNode& owner, const std::string& target = "",
              const std::string& details = "")
    {
        return *static_cast<T*>(CreateItem(kind, title, target, "", owner, details, 0));
    }
    TPersonObject& Person(TreeNode& node) { return *static_cast<TPersonObject*>(node.Data()); }
};

} // namespace

TEST_F(Items, CreateItemHangsTreeKindsAsNodesAndOthersAsDetails)
{
    TreeNode& folder = Node(KindFolder, "Clients");
    EXPECT_EQ(folder.ImageIndex(), 0);
    EXPECT_EQ(folder.SelectedIndex(), ImageSelectedFolder);
    TreeNode& person = Node(KindPerson, "Sam", &folder);
    EXPECT_EQ(person.ImageIndex(), 3);
    EXPECT_EQ(person.SelectedIndex(), 3);
    TKPXObject& phone = Detail(KindPhone, "Home", person);
    EXPECT_EQ(phone.GetTreeNode(), &person);
    EXPECT_EQ(person.Data()->ChildAt(0), &phone);
    EXPECT_EQ(tree.NodeCount(), 3);

    EXPECT_EQ(CreateItem(KindRoot, "Again", "", "", folder, "", 5), nullptr);
    EXPECT_FALSE(tree.Ids().InUse(5)); // the dropped root record leaves nothing behind

    TKPXObject& odd = Detail(200, "Odd", folder, "", "anything");
    EXPECT_EQ(odd.GetKind(), 200);
    EXPECT_EQ(odd.GetImageIndex(), 200);
}

TEST_F(Items, RenamingFollowsTheNodeOnlyWhenItShowedTheTitle)
{
    TreeNode& b = Node(KindPerson, "B");
    TreeNode& c = Node(KindPerson, "C");
    c.Data()->SetTitle("A");
    EXPECT_EQ(c.Text(), "A");
    EXPECT_EQ(tree.Root().ChildAt(0), &c); // siblings re-sorted

    TKPXObject& phone = Detail(KindPhone, "B", b);
    phone.SetTitle("Renamed");
    EXPECT_EQ(b.Text(), "B"); // a detail item's node is its owner's

    tree.SetNodeText(b, "Label");
    b.Data()->SetTitle("New");
    EXPECT_EQ(b.Text(), "Label");
    EXPECT_EQ(b.Data()->GetTitle(), "New");
}

TEST_F(Items, FindChildPrefersDetailsAndFindByWordLooksAtWordStarts)
{
    TreeNode& org = Node(KindOrganization, "Org");
    Node(KindWebsite, "Site", &org);
    // A website among the details, as a file written by other means may hold one.
    auto owned = std::make_unique<TWebObject>(tree, "Site", "", "", 9, "");
    TKPXObject& detail = *owned;
    org.Data()->AddChild(std::move(owned));
    EXPECT_EQ(org.Data()->FindChild("Site", KindWebsite), &detail);
    EXPECT_EQ(org.Data()->FindChild("", KindWebsite), nullptr);
    EXPECT_EQ(org.Data()->FindChild("site", KindWebsite), nullptr);
    EXPECT_EQ(org.Data()->FindChild("Site", KindPhone), nullptr);

    Detail(KindPhone, "Homephone Phone", org); // the first "phone" lies inside a word: no match
    TKPXObject& first = Detail(KindPhone, "Mobile Phone", org);
    TKPXObject& work = Detail(KindPhone, "Work Office", org);
    EXPECT_EQ(org.Data()->FindByWord("phone"), &first);
    EXPECT_EQ(org.Data()->FindByWord("office"), &work);
    EXPECT_EQ(org.Data()->FindByWord("mob"), &first);
    EXPECT_EQ(org.Data()->FindByWord("nothing"), nullptr);
}

TEST_F(Items, DetachAndDeleteOnlyTouchTheirOwnChildren)
{
    TreeNode& a = Node(KindPerson, "A");
    TreeNode& b = Node(KindPerson, "B");
    TKPXObject& phone = Detail(KindPhone, "P", a);
    b.Data()->DeleteChild(&phone);
    EXPECT_EQ(a.Data()->ChildCount(), 1);
    auto moved = a.Data()->DetachChild(&phone);
    ASSERT_TRUE(moved);
    b.Data()->AddChild(std::move(moved));
    phone.SetTreeNode(&b);
    EXPECT_EQ(b.Data()->ChildAt(0), &phone);
    EXPECT_FALSE(a.Data()->HasChildren());
}

TEST_F(Items, DueRemindersMarkOwnersAndAncestorsBelowTheRoot)
{
    TreeNode& folder = Node(KindFolder, "F");
    TreeNode& person = Node(KindPerson, "P", &folder);
    auto& r1 = Detail<TReminderObject>(KindReminder, "R1", person, "", "{Remd}2026,12,8,0~~0");
    auto& r2 = Detail<TReminderObject>(KindReminder, "R2", person, "", "{Remd}2026,1,1,0~~0");
    EXPECT_EQ(r1.GetImageIndex(), ImageDueReminder);
    EXPECT_EQ(person.StateIndex(), 1);
    EXPECT_EQ(folder.StateIndex(), 1);
    EXPECT_EQ(tree.Root().StateIndex(), TreeNode::NoImage);
    EXPECT_EQ(folder.Data()->GetFlagCount(), 2);

    r1.SetFlag(0);
    EXPECT_EQ(person.StateIndex(), 1); // r2 is still due
    person.Data()->DeleteChild(&r2);
    EXPECT_EQ(person.StateIndex(), TreeNode::NoImage);
    EXPECT_EQ(folder.StateIndex(), TreeNode::NoImage);

    auto& later = Detail<TReminderObject>(KindReminder, "Later", person, "", "{Remd}2027,1,1,0~~0");
    EXPECT_EQ(later.GetImageIndex(), 9);
    EXPECT_EQ(later.GetFlagged(), 0);
}

TEST_F(Items, DeletingANodeWithADueReminderClearsTheMarkerAbove)
{
    TreeNode& folder = Node(KindFolder, "F");
    TreeNode& person = Node(KindPerson, "P", &folder);
    Detail(KindReminder, "R", person, "", "{Remd}2020,1,1,3~~0");
    EXPECT_EQ(folder.StateIndex(), 1);
    tree.DeleteNode(person);
    EXPECT_EQ(folder.StateIndex(), TreeNode::NoImage);
    EXPECT_EQ(folder.Data()->GetFlagCount(), 0);
}

TEST_F(Items, MovingADueItemMovesItsMarker)
{
    TreeNode& a = Node(KindPerson, "A");
    TreeNode& b = Node(KindPerson, "B");
    auto& r = Detail(KindReminder, "R", a, "", "{Remd}2020,1,1,0~~0");
    b.Data()->AddChild(a.Data()->DetachChild(&r));
    r.SetTreeNode(&b);
    EXPECT_EQ(a.StateIndex(), TreeNode::NoImage);
    EXPECT_EQ(b.StateIndex(), 1);
}

TEST_F(Items, CategoryFilterAnyAllAndOff)
{
    TreeNode& person = Node(KindPerson, "P");
    TKPXObject& both = Detail(KindPhone, "both", person);
    both.SetCategories(static_cast<std::int32_t>(CategoryBit(1) | CategoryBit(32)));
    TKPXObject& one = Detail(KindPhone, "one", person);
    one.SetCategories(static_cast<std::int32_t>(CategoryBit(1)));
    Detail(KindPhone, "none", person);
    const auto titles = [&] {
        std::string text;
        for (const ListRow& row : person.Data()->FillList())
            text += row.item->GetTitle() + " ";
        return text;
    };
    EXPECT_EQ(titles(), "both one none ");
    tree.Filter().mode = CategoryFilter::Mode::Any;
    EXPECT_EQ(titles(), "both one none "); // nothing picked: nothing hidden
    tree.Filter().mask = CategoryBit(32);
    EXPECT_EQ(titles(), "both ");
    tree.Filter().mode = CategoryFilter::Mode::All;
    tree.Filter().mask = CategoryBit(1) | CategoryBit(32);
    EXPECT_EQ(titles(), "both ");
    tree.Filter().mask = 0;
    EXPECT_EQ(titles(), "both one none ");
}

TEST(ItemText, UrlsNeedAKnownSchemeAndMoreThanSevenCharacters)
{
    for (const char* url : {"HTTP://a", "http://x.org", "https://x", "ftp://ftp.x", "mailto:a@b", "news:comp",
                            "gopher://g", "telnet://t", "wais://w.x"})
        EXPECT_TRUE(IsURL(url)) << url;
    for (const char* text : {"http://", "https:/", "www.example.org", "file:///etc/passwd", "", "javascript:x()"})
        EXPECT_FALSE(IsURL(text)) << text;
    EXPECT_TRUE(IsEMailAddress("a@b"));
    EXPECT_FALSE(IsEMailAddress("ab"));
}

TEST_F(Items, PopupEntriesByKind)
{
    TreeNode& person = Node(KindPerson, "P");
    const auto entries = [](const TKPXObject& item) { return item.SetupPopup().to_string(); };
    // Bits from the right: Open, Send Mail, Send Fax, Dial, Browse, Advance Date, Launch.
    EXPECT_EQ(entries(*person.Data()), "0000001");
    EXPECT_EQ(entries(Detail(KindAddress, "a", person)), "0000000");
    EXPECT_EQ(entries(Detail(KindPhone, "p", person)), "0001000");
    EXPECT_EQ(entries(Detail(KindFax, "f", person)), "0001100");
    EXPECT_EQ(entries(Detail(KindEMail, "e", person)), "0000010");
    EXPECT_EQ(entries(*Node(KindWebsite, "w", &person).Data()), "0010001");
    EXPECT_EQ(entries(Detail(KindReminder, "r", person)), "0100000");
    EXPECT_EQ(entries(Detail(KindDocument, "d", person)), "1000000");
    EXPECT_EQ(entries(Detail(KindTool, "t", person)), "1000000");
    EXPECT_EQ(entries(*Node(KindFolder, "f").Data()), "0000001");
    Person(person).SetPrimary(TPartyObject::SlotPhone, "Primary Phone");
    Person(person).SetPrimary(TPartyObject::SlotEMail, "x");
    EXPECT_EQ(entries(*person.Data()), "0001011");
}

TEST_F(Items, DefaultActionsReachTheDesktop)
{
    TreeNode& person = Node(KindPerson, "P");
    world.desktop.dialResult = 7;
    EXPECT_EQ(Detail(KindPhone, "Office", person, "555-1234").Dial(), 7);
    Detail(KindFax, "Fax", person, "555-9").OpenDefault();
    Detail(KindEMail, "Mail", person, "a@b.c").OpenDefault();
    Node(KindWebsite, "Site", &person).Data()->SetTarget("http://x.org");
    person.LastChild()->Data()->OpenDefault();
    Detail(KindAddress, "Home", person).OpenDefault();
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"dial", {"555-1234", "Tarnwell", "Office", ""}},
                                                      {"fax", {"555-9", ""}},
                                                      {"mail", {"a@b.c", ""}},
                                                      {"browse", {"http://x.org"}},
                                                      {"select", {"P"}}}));
}

TEST_F(Items, PhonesDialTheirExtensionFieldWithTheNumber)
{
    TreeNode& person = Node(KindPerson, "P");
    Detail(KindPhone, "Desk", person, "555-1234", "{Phon}12~~0").Dial();
    Detail(KindPhone, "Own", person, "555-1234 x9", "{Phon}12~~0").Dial();
    Detail(KindPhone, "Plain", person, "555-1234").OpenDefault();
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"dial", {"555-1234 ext 12", "Tarnwell", "Desk", ""}},
                                                      {"dial", {"555-1234 x9", "Tarnwell", "Own", ""}},
                                                      {"dial", {"555-1234", "Tarnwell", "Plain", ""}}}));
}

TEST_F(Items, PersonsActThroughTheirPrimaryChildren)
{
    TreeNode& node = Node(KindPerson, "P");
    TPersonObject& person = Person(node);
    Detail(KindPhone, "Primary Phone", node, "111");
    Detail(KindEMail, "Work", node, "w@x.y");
    person.SetPrimary(TPartyObject::SlotPhone, "Primary Phone");
    person.SetPrimary(TPartyObject::SlotEMail, "Work");
    person.SetPrimary(TPartyObject::SlotFax, "Nowhere");
    person.Dial();
    person.SendMail("/tmp/doc.pdf");
    person.SendFax("x");
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"dial", {"111", "Tarnwell", "Primary Phone", ""}},
                                                      {"mail", {"w@x.y", "/tmp/doc.pdf"}}}));

    // A renamed child is no longer found: dialling does nothing and answers 0.
    person.ChildAt(0)->SetTitle("Office");
    world.desktop.dialResult = 9;
    EXPECT_EQ(person.Dial(), 0);
    EXPECT_TRUE(person.SetupPopup().test(PopupDial));
}

TEST_F(Items, PostalBlockKeepsItsSeparators)
{
    TreeNode& person = Node(KindPerson, "P");
    auto& address =
        Detail<TAddressObject>(KindAddress, "Home", person, "1 High St", "{Addr}1 High St~~~~~~Springfield~~~~~~~~0");
    EXPECT_EQ(address.GetPlainText(), "1 High St\r\nSpringfield,  \r\n\r\n");
    auto& full =
        Detail<TAddressObject>(KindAddress, "Work", person, "", "{Addr}Line 1~~Line 2~~~~Town~~ST~~12345~~Land~~0");
    EXPECT_EQ(full.GetPlainText(), "Line 1\r\nLine 2\r\nTown, ST 12345\r\nLand\r\n");
}

TEST_F(Items, CopyToClipboardPlacesTheLevelOneRecordAndPlainText)
{
    TreeNode& person = Node(KindPerson, "P");
    TKPXObject& phone = CreateItem(KindPhone, "Home", "555", "eve", person, "{Phon}12~~3", 77)[0];
    phone.CopyToClipboard();
    ASSERT_EQ(world.desktop.calls.size(), 1u);
    EXPECT_EQ(world.desktop.calls[0], (Call{"clipboard", {"{1 6 }Home~~555~~eve~~77\r\n{Phon}12~~3", "555"}}));
}

TEST_F(Items, DetailDialogsAcceptOnlyWhatTheirRulesAllow)
{
    TreeNode& person = Node(KindPerson, "P");
    auto& address = Detail<TAddressObject>(KindAddress, "New Address", person);
    world.dialogs.address = [](AddressForm& f, EditMode) {
        f.lines = {"1 Main St"};
        return true;
    };
    EXPECT_TRUE(address.EditNew(person));
    EXPECT_EQ(address.Lines(), (std::vector<std::string>{"1 Main St", "", ""}));
    EXPECT_EQ(address.GetTarget(), "1 Main St");
    world.dialogs.address = [](AddressForm& f, EditMode) {
        f.title.clear();
        f.city = "Changed";
        return true;
    };
    address.EditProperties();
    EXPECT_EQ(address.City(), ""); // an empty title takes nothing back

    auto& phone = Detail<TPhoneObject>(KindPhone, "New Phone", person);
    world.dialogs.phone = [](PhoneForm& f, EditMode) {
        f.number = "()-"; // only the mask's literals
        f.plainNumber = "";
        return true;
    };
    EXPECT_FALSE(phone.EditNew(person));
    world.dialogs.phone = [](PhoneForm& f, EditMode) {
        f.number = "(555)123-4567";
        f.plainNumber = "5551234567";
        f.extension = "12";
        return true;
    };
    EXPECT_TRUE(phone.EditNew(person));
    EXPECT_EQ(phone.GetTarget(), "(555)123-4567");
    EXPECT_EQ(phone.Extension(), "12");

    auto& fax = Detail<TFaxObject>(KindFax, "F", person, "555");
    world.dialogs.fax = [](FaxForm& f, EditMode) {
        f.number = f.plainNumber = "";
        return true;
    };
    fax.EditProperties();
    EXPECT_EQ(fax.GetTarget(), ""); // an existing fax may lose its number

    auto& web = *static_cast<TWebObject*>(Node(KindWebsite, "New Website", &person).Data());
    world.dialogs.website = [](WebsiteForm& f, EditMode) { return f.url == "http://"; };
    EXPECT_FALSE(web.EditNew(*web.GetTreeNode()));
    world.dialogs.website = [](WebsiteForm& f, EditMode) {
        f.url = "https://example.org";
        f.title = "Example";
        return true;
    };
    EXPECT_TRUE(web.EditNew(*web.GetTreeNode()));
    EXPECT_EQ(web.GetTreeNode()->Text(), "Example");

    auto& email = Detail<TEMailObject>(KindEMail, "x", person);
    world.dialogs.email = [](EMailForm& f, EditMode) {
        f.title.clear();
        f.address = "a@b.c";
        return true;
    };
    EXPECT_TRUE(email.EditNew(person));
    EXPECT_EQ(email.GetTitle(), "");
}

TEST_F(Items, FoldersEditInPlaceAndAcceptAnyProperties)
{
    TreeNode& folder = Node(KindFolder, "New Folder");
    EXPECT_TRUE(folder.Data()->EditNew(folder));
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"edit-label", {"New Folder"}}}));
    world.dialogs.group = [](GroupForm& f, EditMode) {
        f.title.clear();
        f.comment = "c";
        return true;
    };
    folder.Data()->EditProperties();
    EXPECT_EQ(folder.Text(), "");
    EXPECT_EQ(folder.Data()->GetComment(), "c");
}

TEST_F(Items, NewPersonMakesTheFilledPrimaries)
{
    TreeNode& node = Node(KindPerson, "New Person");
    TPersonObject& person = Person(node);
    world.dialogs.party = [](PartyForm& f, EditMode mode) {
        EXPECT_EQ(mode, EditMode::New);
        EXPECT_EQ(f.fax.title, "Primary FAX");
        EXPECT_EQ(f.salutation, ""); // no salutation is assumed
        f.salutation = "Mr.";
        f.title = "Sam Person";
        f.firstName = "Sam";
        f.lastName = "";
        f.phone.number = "(555)123-4567";
        f.phone.plainNumber = "5551234567";
        f.phone.extension = "9";
        return true;
    };
    ASSERT_TRUE(person.EditNew(node));
    EXPECT_EQ(person.GetTarget(), "Mr. Sam "); // the blanks stand even when a part is empty
    EXPECT_EQ(node.Text(), "Sam Person");
    ASSERT_EQ(person.ChildCount(), 1);
    EXPECT_EQ(person.ChildAt(0)->GetTitle(), "Primary Phone");
    EXPECT_EQ(person.Primary(TPartyObject::SlotPhone), "Primary Phone");
    EXPECT_EQ(person.Primary(TPartyObject::SlotEMail), "");
    EXPECT_TRUE(person.SetupPopup().test(PopupDial));
    EXPECT_FALSE(person.SetupPopup().test(PopupSendMail));
    EXPECT_FALSE(node.HasChildren()); // "http://" alone makes no website

    world.dialogs.party = [](PartyForm&, EditMode) { return false; };
    EXPECT_FALSE(person.EditNew(node));
}

TEST_F(Items, EditingAPersonUpdatesOrAddsPrimaries)
{
    TreeNode& node = Node(KindOrganization, "Org");
    auto& org = *static_cast<TOrgObject*>(node.Data());
    Detail(KindPhone, "Main", node, "111");
    Node(KindWebsite, "Site", &node);
    org.SetPrimary(TPartyObject::SlotPhone, "Main");
    world.dialogs.party = [](PartyForm& f, EditMode mode) {
        EXPECT_EQ(mode, EditMode::Properties);
        EXPECT_EQ(f.phone.number, "111"); // the primary child's fields are shown
        f.phone.number = f.phone.plainNumber = "222";
        f.email = {"Sales", "s@org.example", ""};
        f.website = {"Site", "http://org.example", "home"};
        f.address = {"Office", {}, "", "", "", "", ""}; // a title alone still makes an address here
        return true;
    };
    org.EditProperties();
    EXPECT_EQ(org.FindChild("Main", KindPhone)->GetTarget(), "222");
    EXPECT_EQ(org.FindChild("Sales", KindEMail)->GetTarget(), "s@org.example");
    EXPECT_EQ(org.FindChild("Site", KindWebsite)->GetComment(), "home");
    EXPECT_EQ(node.ChildCount(), 1);
    ASSERT_TRUE(org.FindChild("Office", KindAddress));
    EXPECT_EQ(static_cast<TAddressObject*>(org.FindChild("Office", KindAddress))->Lines().size(), 3u);
    EXPECT_EQ(org.Primary(TPartyObject::SlotEMail), "Sales");
    EXPECT_EQ(org.SectionTitles(TPartyObject::SlotWebsite), (std::vector<std::string>{"Site"}));
    EXPECT_EQ(org.SectionTitles(TPartyObject::SlotPhone), (std::vector<std::string>{"Main"}));
}

TEST_F(Items, AnOrganizationWithOnlyWebsitesShowsEmptySections)
{
    TreeNode& node = Node(KindOrganization, "Org");
    Node(KindWebsite, "Site", &node);
    static_cast<TOrgObject*>(node.Data())->SetPrimary(TPartyObject::SlotWebsite, "Site");
    const PartyForm form = static_cast<TOrgObject*>(node.Data())->FormFromItem();
    EXPECT_EQ(form.website.title, "");
}

TEST_F(Items, DocumentsCarryTheirIconsAndOpenTheirFile)
{
    TreeNode& person = Node(KindPerson, "P");
    auto& doc = Detail<TDocObject>(KindDocument, "Letter", person, "/home/u/letter.odt");
    EXPECT_EQ(doc.GetImageIndex(), 14);
    auto& blank = Detail<TDocObject>(KindDocument, "Blank", person);
    EXPECT_EQ(blank.GetImageIndex(), ImageNoIcon);
    world.dialogs.document = [](DocumentForm& f, EditMode) {
        f.fileName = "/home/u/new.pdf";
        return true;
    };
    doc.EditProperties();
    EXPECT_TRUE(blank.EditNew(person));
    EXPECT_EQ(blank.GetImageIndex(), 15);
    doc.OpenDefault();
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"append-icon", {"/home/u/letter.odt"}},
                                                      {"replace-icon", {"14", "/home/u/new.pdf"}},
                                                      {"append-icon", {"/home/u/new.pdf"}},
                                                      {"open-document", {"/home/u/new.pdf"}}}));
}

TEST_F(Items, ToolsLaunchWithParametersFirstAndTargetLast)
{
    world.desktop.toolImages["/usr/bin/notes"] = 20;
    TreeNode& person = Node(KindPerson, "P");
    auto& tool = Detail<TToolObject>(KindTool, "Notes", person, "sam@x.org", "{Tool}/usr/bin/notes~~--new~~0");
    EXPECT_EQ(tool.GetImageIndex(), 20);
    tool.Launch();
    auto& bare = Detail<TToolObject>(KindTool, "Gone", person, "", "{Tool}/opt/gone/run~~~~0");
    EXPECT_EQ(bare.GetImageIndex(), ImageNoIcon);
    bare.OpenDefault();
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"open", {"/usr/bin/notes", "--new sam@x.org", "/usr/bin/"}},
                                                      {"open", {"/opt/gone/run", "", "/opt/gone/"}}}));
}

TEST_F(Items, RemindersTakeTheirDateFromTheDialogAndAdvance)
{
    TreeNode& person = Node(KindPerson, "P");
    auto& reminder = Detail<TReminderObject>(KindReminder, "New Reminder", person);
    EXPECT_FALSE(reminder.RecurDate().UseToday);
    world.dialogs.onReminderDate = [](TRecurringDate& date) {
        date.SetDate({2026, 11, 24});
        date.SetRecurMode(3);
    };
    world.dialogs.reminder = [](ReminderForm& f, EditMode) {
        f.title = "Weekly";
        return true;
    };
    ASSERT_TRUE(reminder.EditNew(person));
    EXPECT_EQ(reminder.GetTarget(), "11/24/2026");
    EXPECT_EQ(person.StateIndex(), 1);

    reminder.AdvanceDate(); // two weeks back, one step: still due
    EXPECT_EQ(reminder.GetTarget(), "12/1/2026");
    EXPECT_EQ(reminder.GetFlagged(), 1);
    reminder.AdvanceDate();
    EXPECT_EQ(reminder.GetTarget(), "12/8/2026");
    EXPECT_EQ(reminder.GetFlagged(), 1); // today is due
    reminder.AdvanceDate();
    EXPECT_EQ(reminder.GetFlagged(), 0);
    EXPECT_EQ(person.StateIndex(), TreeNode::NoImage);
    EXPECT_EQ(world.desktop.calls.back(), (Call{"reselect", {"P"}}));

    // Cancel keeps title and flag, but the date moved by the dialog stays moved.
    world.dialogs.onReminderDate = [](TRecurringDate& date) { date.Advance(); };
    world.dialogs.reminder = nullptr;
    reminder.EditProperties();
    EXPECT_EQ(reminder.GetTitle(), "Weekly");
    EXPECT_EQ(reminder.RecurDate().GetDate(), (CivilDate{2026, 12, 22}));
    EXPECT_EQ(reminder.GetTarget(), "12/15/2026");
}

TEST_F(Items, AReminderWithAnUnreadableDateKeepsTodayAndIsDue)
{
    TreeNode& person = Node(KindPerson, "P");
    auto& reminder = Detail<TReminderObject>(KindReminder, "R", person, "", "{Remd}2026,13~~4");
    EXPECT_EQ(reminder.RecurDate().GetDate(), world.clock.today);
    EXPECT_EQ(reminder.GetFlagged(), 1);
    EXPECT_EQ(reminder.GetCategories(), 4);
}
