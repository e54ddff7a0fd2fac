// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_messaging.h"

#include "actions/email_component.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quillary;
using namespace quillary::test;
using Calls = std::vector<std::string>;

TEST(EmailComponent, LimitsAreCheckedBeforeAnyServiceCall)
{
    FakeMessaging service;
    TEmail mail(service);
    mail.Recipient.assign(500, "a@b.c");
    mail.CC.assign(12, "c@d.e");
    mail.Bcc.assign(1, "x@y.z");
    EXPECT_EQ(mail.SendMail(), mapi::TooManyRecipients);
    mail.Bcc.clear();
    mail.Attachment.assign(33, "/nowhere");
    EXPECT_EQ(mail.SendMail(), mapi::TooManyFiles);
    EXPECT_TRUE(service.calls.empty());

    // Exactly 512 recipients are accepted.
    mail.Attachment.clear();
    EXPECT_EQ(mail.SendMail(), mapi::SuccessSuccess);
    ASSERT_EQ(service.sent.size(), 1u);
    EXPECT_EQ(service.sent[0].recipients.size(), 512u);
    EXPECT_TRUE(service.buffers.empty());
}

TEST(EmailComponent, LogonFallsBackToTheServiceDialogAndReportsFailureAs3)
{
    FakeMessaging service;
    TEmail mail(service);
    mail.SetProfile("Work");
    mail.SetPassword("pw");
    mail.Recipient = {"a@b.c"};
    service.logonResults = {mapi::LogonFailure, mapi::UserAbort};
    EXPECT_EQ(mail.SendMail(), mapi::LogonFailure);
    EXPECT_EQ(service.calls, (Calls{"logon Work/pw/0", "logon //1"}));

    service.calls.clear();
    service.logonResults = {mapi::Failure, mapi::SuccessSuccess};
    EXPECT_EQ(mail.SendMail(), mapi::SuccessSuccess);
    EXPECT_EQ(service.calls,
              (Calls{"logon Work/pw/0", "logon //1", "resolve 41 a@b.c/0", "free a@b.c", "send 41/8", "logoff 41"}));
}

TEST(EmailComponent, DefaultProfileReplacesTheProfileOnlyWhenConfigured)
{
    FakeMessaging service;
    TEmail mail(service);
    mail.UseDefProfile = true;
    mail.SetProfile("Mine");
    EXPECT_EQ(mail.Logon(), mapi::SuccessSuccess);
    EXPECT_EQ(mail.Logon(), mapi::SuccessSuccess); // already open: no second call
    mail.Logoff();
    service.defaultProfile = std::string(300, 'p');
    mail.Logon();
    EXPECT_EQ(mail.Profile(), std::string(255, 'p'));
    mail.Logoff();
    service.defaultProfile = "";
    mail.Logon();
    EXPECT_EQ(service.calls, (Calls{"logon Mine//0", "logoff 41", "logon " + std::string(255, 'p') + "//0", "logoff 42",
                                    "logon //0"}));
}

TEST(EmailComponent, UnresolvedNameSkipsTheRestOfItsListOnly)
{
    FakeMessaging service;
    service.resolutions["Bob"] = {mapi::AmbiguousRecipient, mapi::SuccessSuccess, "Bob Smith <bob@x.org>"};
    service.resolutions["Nobody"] = {mapi::UnknownRecipient, mapi::UserAbort, ""};
    TEmail mail(service);
    mail.Recipient = {"", "Bob", "Nobody", "late@x.org"};
    mail.CC = {"cc@x.org"};
    mail.Bcc = {"bcc@x.org"};
    mail.SetSubject("Hi");
    EXPECT_EQ(mail.SendMail(), mapi::SuccessSuccess);

    EXPECT_EQ(service.calls,
              (Calls{"logon //0", "resolve 41 Bob/0", "resolve 41 Bob/8", "free Bob Smith <bob@x.org>",
                     "resolve 41 Nobody/0", "resolve 41 Nobody/8", "resolve 41 cc@x.org/0", "free cc@x.org",
                     "resolve 41 bcc@x.org/0", "free bcc@x.org", "send 41/8", "logoff 41"}));
    ASSERT_EQ(service.sent.size(), 1u);
    const mapi::Message& message = service.sent[0];
    EXPECT_EQ(message.subject, "Hi");
    EXPECT_EQ(message.noteText, "");
    EXPECT_EQ(message.flags, 0u);
    EXPECT_EQ(message.recipients,
              (std::vector<mapi::Recipient>{
                  {mapi::To, "Bob Smith <bob@x.org>", ""}, {mapi::Cc, "cc@x.org", ""}, {mapi::Bcc, "bcc@x.org", ""}}));
    EXPECT_EQ(mail.Recipient, (std::vector<std::string>{"", "Bob Smith <bob@x.org>", "Nobody", "late@x.org"}));
    EXPECT_TRUE(service.buffers.empty());
}

TEST(EmailComponent, AttachmentsMustExistAndASessionOpenedHereIsClosed)
{
    const auto dir = std::filesystem::temp_directory_path() / "quillary_email_component";
    std::filesystem::create_directories(dir);
    const std::string present = (dir / "notes.txt").string();
    std::ofstream(present) << "x";

    FakeMessaging service;
    TEmail mail(service);
    mail.Recipient = {"a@b.c"};
    mail.Attachment = {present, (dir / "gone.txt").string()};
    EXPECT_EQ(mail.SendMail(), mapi::AttachmentNotFound);
    EXPECT_TRUE(service.sent.empty());
    EXPECT_EQ(service.calls.back(), "logoff 41");

    // With an explicit logon the session outlives the send, until logoff or destruction.
    service.calls.clear();
    service.sendResult = mapi::UserAbort;
    {
        TEmail kept(service);
        kept.Recipient = {"a@b.c"};
        kept.Attachment = {present};
        kept.Acknowledge = true;
        kept.SetText("Body");
        EXPECT_EQ(kept.Logon(), mapi::SuccessSuccess);
        EXPECT_EQ(kept.SendMail(), mapi::UserAbort);
        EXPECT_EQ(service.calls.back(), "send 42/8");
    }
    EXPECT_EQ(service.calls.back(), "logoff 42");
    ASSERT_EQ(service.sent.size(), 1u);
    EXPECT_EQ(service.sent[0].files, (std::vector<mapi::File>{{present, "", -1}}));
    EXPECT_EQ(service.sent[0].flags, mapi::ReceiptRequested);
    EXPECT_EQ(service.sent[0].noteText, "Body");
    std::filesystem::remove_all(dir);
}
