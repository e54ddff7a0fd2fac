// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_messaging.h"
#include "support/fake_services.h"

#include "actions/dial_number.h"
#include "actions/fax_action.h"
#include "actions/mail_action.h"
#include "actions/outward_actions.h"
#include "links/mailto_link.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "shell/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quillary;
using namespace quillary::test;
using Calls = std::vector<std::string>;

namespace {

class OutwardActions : public ::testing::Test
{
protected:
    TestWorld world;
    ItemTree tree{world.Services()};
    FakeMessaging messaging;
    ScriptedPrompts prompts;
    std::vector<std::string> browsed;
    TProfileFile settings = TProfileFile::FromText("kpx.ini", "");
    std::vector<const TKPXObject*> rows;
    TOutwardActions actions{
        MailServices{messaging, world.desktop, prompts, [this](const std::string& url) { browsed.push_back(url); }},
        settings, [this] { return rows; }};
    TreeNode& person = *CreateItem(KindPerson, "Pat", "Pat Doe", "", tree.Root(), "", 0)->GetTreeNode();

    template <typename T> T& Detail(int kind, const std::string& title, const std::string& target)
    {
        return *static_cast<T*>(CreateItem(kind, title, target, "", person, "", 0));
    }
    TEMailObject& Mail(const std::string& target) { return Detail<TEMailObject>(KindEMail, "Mail", target); }
    void SetMethod(int method) { settings.WriteInteger("Settings", "INetMail", method); }
    std::vector<mapi::Recipient> SentTo() const
    {
        return messaging.sent.empty() ? std::vector<mapi::Recipient>{} : messaging.sent.back().recipients;
    }
};

std::string TempFile(const std::string& name)
{
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << "x";
    return path.string();
}

} // namespace

TEST(ActionTexts, DialableNumberAndMailtoLink)
{
    EXPECT_EQ(DialableNumber("+1 (555) 123-4567 x*9#,;p"), "+15551234567*9#,;");
    EXPECT_EQ(DialableNumber("--help"), "");
    EXPECT_EQ(MailtoLink("pat.o'neil+news@x-y.org"), "mailto:pat.o'neil+news@x-y.org");
    EXPECT_EQ(MailtoLink("a&b@x.org?cc=z@evil.org#f"), "mailto:a%26b@x.org%3Fcc%3Dz@evil.org%23f");
    EXPECT_EQ(MailtoLink("Jo \"J\" <j%@x.org>,\xC3\xA9"), "mailto:Jo%20%22J%22%20%3Cj%25@x.org%3E%2C%C3%A9");
}

TEST_F(OutwardActions, OneAddressGoesThroughTheChosenMethod)
{
    TEMailObject& mail = Mail("a&b@x.org");
    rows = {&mail};
    SetMethod(MailtoLinkMail);
    actions.SendMail(mail, "");
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"open-document", {"mailto:a%26b@x.org"}}}));

    SetMethod(BrowserMail);
    rows.clear(); // the folder tree was the active pane
    actions.SendMail(mail, "");
    EXPECT_EQ(browsed, (Calls{"mailto:a%26b@x.org"}));
    EXPECT_TRUE(messaging.calls.empty());
    EXPECT_TRUE(prompts.questions.empty());

    SetMethod(MessagingMail);
    actions.SendMail(mail, "");
    EXPECT_EQ(SentTo(), (std::vector<mapi::Recipient>{{mapi::To, "a&b@x.org", ""}}));

    // No method chosen yet: the messaging service, without a question for one address.
    settings.EraseSection("Settings");
    messaging.defaultProfile = "Default";
    actions.SendMail(mail, "");
    EXPECT_EQ(messaging.sent.size(), 2u);
    EXPECT_EQ(messaging.calls.front(), "logon //0");
    EXPECT_EQ(messaging.calls[messaging.calls.size() - 5], "logon Default//0");
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(world.desktop.calls.size(), 1u);
}

TEST_F(OutwardActions, TargetThatIsNoAddressAndAttachmentsGoToTheMessagingService)
{
    TEMailObject& mail = Mail("Pat at home");
    SetMethod(MailtoLinkMail);
    const std::string attachment = TempFile("quillary_outward_attachment.txt");
    actions.SendMail(mail, attachment);
    ASSERT_EQ(messaging.sent.size(), 1u);
    EXPECT_EQ(SentTo(), (std::vector<mapi::Recipient>{{mapi::To, "Pat at home", ""}}));
    EXPECT_EQ(messaging.sent[0].files, (std::vector<mapi::File>{{attachment, "", -1}}));
    EXPECT_TRUE(world.desktop.calls.empty());
    std::filesystem::remove(attachment);
}

TEST_F(OutwardActions, SeveralRecipientsAskUnlessTheMessagingServiceIsChosen)
{
    TEMailObject& first = Mail("a@x.org");
    TEMailObject& second = Mail("b@x.org");
    rows = {&first, &second};
    for (const int method : {MailtoLinkMail, BrowserMail}) {
        SetMethod(method);
        actions.SendMail(first, "");
    }
    settings.EraseSection("Settings");
    actions.SendMail(first, "");
    EXPECT_EQ(prompts.questions, Calls(3, MultipleRecipientsQuestion));
    EXPECT_TRUE(messaging.calls.empty());
    EXPECT_TRUE(world.desktop.calls.empty());
    EXPECT_TRUE(browsed.empty());

    prompts.answerYes = true;
    SetMethod(MailtoLinkMail);
    actions.SendMail(first, "");
    SetMethod(MessagingMail);
    actions.SendMail(first, "");
    EXPECT_EQ(prompts.questions.size(), 4u);
    ASSERT_EQ(messaging.sent.size(), 2u);
    for (const mapi::Message& message : messaging.sent)
        EXPECT_EQ(message.recipients,
                  (std::vector<mapi::Recipient>{{mapi::To, "a@x.org", ""}, {mapi::To, "b@x.org", ""}}));
}

TEST_F(OutwardActions, PersonsAnswerWithTheirPrimaryAddressOrAnEmptyRecipient)
{
    TEMailObject& own = Mail("own@x.org");
    TPartyObject& withAddress = *static_cast<TPartyObject*>(person.Data());
    withAddress.SetPrimary(TPartyObject::SlotEMail, "Mail");
    TKPXObject* without = CreateItem(KindPerson, "Lee", "Lee Roe", "", tree.Root(), "", 0);
    TKPXObject* phone = CreateItem(KindPhone, "Desk", "555", "", person, "", 0);
    SetMethod(MailtoLinkMail);
    prompts.answerYes = true;

    // The person's own address and an empty entry for the one without: two entries ask the question.
    rows = {&withAddress, without};
    actions.SendMail(own, "");
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(SentTo(), (std::vector<mapi::Recipient>{{mapi::To, "own@x.org", ""}}));

    // A phone row adds nothing; a last row without an address still counts.
    rows = {phone, &own, without};
    actions.SendMail(own, "");
    EXPECT_EQ(prompts.questions.size(), 2u);
    rows = {without, without};
    actions.SendMail(own, "");
    EXPECT_EQ(prompts.questions.size(), 3u);
    EXPECT_EQ(SentTo(), std::vector<mapi::Recipient>{}); // every entry empty: the user fills in the dialog

    // One phone row and one address row: one recipient, so the link is used.
    rows = {phone, &own};
    actions.SendMail(own, "");
    EXPECT_EQ(prompts.questions.size(), 3u);
    EXPECT_EQ(world.desktop.calls, (std::vector<Call>{{"open-document", {"mailto:own@x.org"}}}));
}

TEST_F(OutwardActions, FaxGoesToTheNumberWithTheDocumentWhenItExists)
{
    TFaxObject& fax = Detail<TFaxObject>(KindFax, "Office Fax", "555-0100");
    const std::string document = TempFile("quillary_outward_fax.txt");
    actions.SendFax(fax, document);
    actions.SendFax(fax, document + ".gone");
    actions.SendFax(fax, "");
    EXPECT_EQ(messaging.calls, Calls(3, "send 0/11"));
    ASSERT_EQ(messaging.sent.size(), 3u);
    const mapi::Message expected{"", "", 0, {{mapi::To, "Office Fax", "FAX:555-0100"}}, {{document, "", -1}}};
    EXPECT_EQ(messaging.sent[0], expected);
    EXPECT_TRUE(messaging.sent[1].files.empty());
    EXPECT_TRUE(messaging.sent[2].files.empty());
    EXPECT_EQ(messaging.sent[2].recipients, expected.recipients);
    EXPECT_TRUE(prompts.errors.empty());

    messaging.sendResult = mapi::Failure;
    EXPECT_EQ(SendFaxAction(fax, "", messaging, prompts), mapi::Failure);
    EXPECT_EQ(prompts.errors, Calls{FaxFailedMessage});
    std::filesystem::remove(document);
}

TEST_F(OutwardActions, BrowseOpensTheAddressInTheBrowser)
{
    actions.Browse("http://x.org");
    EXPECT_EQ(browsed, Calls{"http://x.org"});
}

TEST_F(OutwardActions, AddressesThatAreNoPlainAddressesAreRefusedBeforeAnythingIsSent)
{
    TEMailObject& hostile = Mail("mailto:x@y?attach=/etc/shadow");
    TEMailObject& option = Mail("--attach@x.org");
    TEMailObject& plain = Mail("sam@x.org");
    const std::string shadowMessage = "No mail was sent: \"mailto:x@y?attach=/etc/shadow\" is not a plain e-mail "
                                      "address (the name before \"@\" holds \":\").";
    prompts.answerYes = true;
    for (const int method : {MailtoLinkMail, BrowserMail, MessagingMail, NoInternetMailChoice}) {
        SetMethod(method);
        rows = {&hostile};
        actions.SendMail(hostile, "");
        rows.clear();
        actions.SendMail(hostile, "");
    }
    EXPECT_EQ(prompts.errors, Calls(8, shadowMessage));

    // One bad address among several rows stops the whole mail, whatever row it is in.
    SetMethod(MessagingMail);
    rows = {&plain, &option};
    actions.SendMail(plain, "");
    EXPECT_EQ(prompts.errors.back(), "No mail was sent: \"--attach@x.org\" is not a plain e-mail address (it starts "
                                     "with \"-\" and would be taken for an option).");
    EXPECT_TRUE(messaging.calls.empty());
    EXPECT_TRUE(world.desktop.calls.empty());
    EXPECT_TRUE(browsed.empty());
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(OutwardActions, BrowseOpensOnlyWebAddresses)
{
    for (const char* target : {"javascript:alert(document.cookie)", "data:text/html,<script>x</script>",
                               "file:///etc/passwd", "mailto:x@y.org?attach=/etc/shadow", "relative/page.htm"})
        actions.Browse(target);
    EXPECT_TRUE(browsed.empty());
    ASSERT_EQ(prompts.errors.size(), 5u);
    EXPECT_EQ(prompts.errors[0],
              "\"javascript:alert(document.cookie)\" was not opened: a \"javascript:\" link is no web address.");

    // A website's double click reaches the same rule.
    ItemServices services = world.Services();
    services.actions = &actions;
    ItemTree real(services);
    TKPXObject* web = CreateItem(KindWebsite, "Trap", "file:///etc/shadow", "", real.Root(), "", 0);
    web->OpenDefault();
    EXPECT_TRUE(browsed.empty());
    EXPECT_EQ(prompts.errors.back(), "\"file:///etc/shadow\" was not opened: a \"file:\" link is no web address.");
}
