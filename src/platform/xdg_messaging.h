// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actions/simple_messaging.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quillary {

// The messaging service on a Linux desktop: mail goes to the user's mail composer through
// xdg-email, "FAX:" recipients to HylaFAX's sendfax when it is installed. Programs are started
// with argument lists, never through a command interpreter.
class XdgMessaging final : public SimpleMessaging
{
public:
    // Asks the user for the address of a name that is not one; none when cancelled.
    using AskAddress = std::function<std::optional<QString>(const QString& name)>;

    explicit XdgMessaging(AskAddress askAddress);
    ~XdgMessaging() override;

    // Sessions always open: the composer needs no logon.
    int Logon(const std::string& profile, const std::string& password, unsigned flags, mapi::Session& session) override;
    // A plain e-mail address (MailAddressProblem) or a "FAX:" address resolves to itself; another
    // name only through the dialog flag, by asking the user (cancel, or an answer that is no plain
    // address, leaves it unknown).
    int ResolveName(mapi::Session session, const std::string& name, unsigned flags,
                    const mapi::Recipient*& resolved) override;
    // Fax recipients first, each through sendfax with the attachments; the other recipients (or
    // none at all) in one xdg-email call, unless one of them is no plain address. Files go as
    // absolute paths. The first failure is the result.
    int SendMail(mapi::Session session, const mapi::Message& message, unsigned flags) override;
    int FreeBuffer(const mapi::Recipient* buffer) override;
    int Logoff(mapi::Session session) override;
    std::optional<std::string> DefaultProfile() const override { return std::nullopt; }

private:
    AskAddress m_askAddress;
    mapi::Session m_lastSession = mapi::NoSession;
    std::vector<std::unique_ptr<mapi::Recipient>> m_buffers;
};

} // namespace quillary
