// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actions/simple_messaging.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// One message sent through the simple messaging service, which shows its own send dialog for
// the user to complete it. Every failure comes back as the service's result code.
class TEmail
{
public:
    static constexpr std::size_t MaxRecipients = 512;
    static constexpr std::size_t MaxAttachments = 32;
    static constexpr std::size_t MaxShortText = 255;

    explicit TEmail(SimpleMessaging& messaging);
    ~TEmail();
    TEmail(const TEmail&) = delete;
    TEmail& operator=(const TEmail&) = delete;

    bool Acknowledge = false;
    std::vector<std::string> Attachment;
    std::vector<std::string> Bcc;
    std::vector<std::string> CC;
    std::vector<std::string> Recipient;
    bool UseDefProfile = false;

    // Texts of at most 255 characters: longer ones are cut.
    const std::string& Password() const { return m_password; }
    const std::string& Profile() const { return m_profile; }
    const std::string& Subject() const { return m_subject; }
    const std::string& Text() const { return m_text; }
    void SetPassword(std::string_view text);
    void SetProfile(std::string_view text);
    void SetSubject(std::string_view text);
    void SetText(std::string_view text);

    // Opens a session unless one is open; falls back to the service's own logon interface.
    int Logon();
    int Logoff();
    // Resolves every recipient, checks the attachments and sends. A session opened here is
    // closed again before returning, whatever the result.
    int SendMail();

private:
    void ResolveList(std::vector<std::string>& list, int recipClass, mapi::Message& message);
    int AddAttachments(mapi::Message& message) const;

    SimpleMessaging& m_messaging;
    mapi::Session m_session = mapi::NoSession;
    std::string m_password, m_profile, m_subject, m_text;
};

} // namespace quillary
