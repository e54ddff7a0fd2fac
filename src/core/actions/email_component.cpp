// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/email_component.h"

#include "actions/attachment_file.h"

namespace quillary {

namespace {
std::string Short(std::string_view text)
{
    return std::string(text.substr(0, TEmail::MaxShortText));
}
} // namespace

TEmail::TEmail(SimpleMessaging& messaging) : m_messaging(messaging) {}

TEmail::~TEmail()
{
    Logoff();
}

void TEmail::SetPassword(std::string_view text)
{
    m_password = Short(text);
}

void TEmail::SetProfile(std::string_view text)
{
    m_profile = Short(text);
}

void TEmail::SetSubject(std::string_view text)
{
    m_subject = Short(text);
}

void TEmail::SetText(std::string_view text)
{
    m_text = Short(text);
}

int TEmail::Logon()
{
    if (m_session != mapi::NoSession)
        return mapi::SuccessSuccess;
    if (UseDefProfile)
        if (const auto profile = m_messaging.DefaultProfile())
            SetProfile(*profile);
    const int result = m_messaging.Logon(m_profile, m_password, 0, m_session);
    if (result == mapi::SuccessSuccess)
        return result;
    m_session = mapi::NoSession;
    return m_messaging.Logon({}, {}, mapi::LogonUi, m_session);
}

int TEmail::Logoff()
{
    if (m_session == mapi::NoSession)
        return mapi::SuccessSuccess;
    const int result = m_messaging.Logoff(m_session);
    m_session = mapi::NoSession;
    return result;
}

int TEmail::SendMail()
{
    if (Recipient.size() + CC.size() + Bcc.size() > MaxRecipients)
        return mapi::TooManyRecipients;
    if (Attachment.size() > MaxAttachments)
        return mapi::TooManyFiles;
    const bool wasOpen = m_session != mapi::NoSession;
    if (Logon() != mapi::SuccessSuccess) {
        m_session = mapi::NoSession;
        return mapi::LogonFailure;
    }
    mapi::Message message;
    message.subject = m_subject;
    message.noteText = m_text;
    ResolveList(Recipient, mapi::To, message);
    ResolveList(CC, mapi::Cc, message);
    ResolveList(Bcc, mapi::Bcc, message);
    int result = AddAttachments(message);
    if (result == mapi::SuccessSuccess) {
        if (Acknowledge)
            message.flags |= mapi::ReceiptRequested;
        result = m_messaging.SendMail(m_session, message, mapi::Dialog);
    }
    if (!wasOpen)
        Logoff();
    return result;
}

void TEmail::ResolveList(std::vector<std::string>& list, int recipClass, mapi::Message& message)
{
    for (std::string& entry : list) {
        if (entry.empty())
            continue;
        const mapi::Recipient* resolved = nullptr;
        int result = m_messaging.ResolveName(m_session, entry, 0, resolved);
        if (result == mapi::AmbiguousRecipient || result == mapi::UnknownRecipient)
            result = m_messaging.ResolveName(m_session, entry, mapi::Dialog, resolved);
        if (result != mapi::SuccessSuccess || !resolved)
            return; // the rest of this list stays unresolved
        entry = resolved->name;
        message.recipients.push_back({recipClass, resolved->name, {}});
        m_messaging.FreeBuffer(resolved);
    }
}

int TEmail::AddAttachments(mapi::Message& message) const
{
    for (const std::string& path : Attachment) {
        if (!AttachmentExists(path))
            return mapi::AttachmentNotFound;
        // Whole: a path cut short would name no file, or another one.
        message.files.push_back({path, {}, -1});
    }
    return mapi::SuccessSuccess;
}

} // namespace quillary
