// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/mail_action.h"

#include "actions/action_prompts.h"
#include "actions/email_component.h"
#include "actions/mail_recipients.h"
#include "links/mail_address.h"
#include "links/mailto_link.h"
#include "model/item_services.h"
#include "model/items_contact.h"

namespace quillary {

namespace {
// The mail of one address through the link or the browser; false when it is the messaging
// service's to send.
bool SendToOneAddress(const std::string& address, int internetMail, const MailServices& services)
{
    if (!IsEMailAddress(address))
        return false;
    if (internetMail == MailtoLinkMail) {
        services.shell.OpenDocument(MailtoLink(address));
        return true;
    }
    if (internetMail == BrowserMail) {
        services.openInBrowser(MailtoLink(address));
        return true;
    }
    return false;
}

// Every text that looks like an address must be a plain one before anything is handed on; names
// without "@" are the messaging service's to resolve by asking the user. A refusal names the
// first bad address.
bool AddressesArePlain(const std::vector<std::string>& recipients, ActionPrompts& prompts)
{
    for (const std::string& recipient : recipients) {
        if (!IsEMailAddress(recipient))
            continue;
        if (const auto problem = MailAddressProblem(recipient)) {
            prompts.ShowError(RefusedAddressMessage(recipient, *problem));
            return false;
        }
    }
    return true;
}
} // namespace

void SendMailAction(const TEMailObject& item, const std::string& attachment, int internetMail,
                    const std::vector<const TKPXObject*>& listRows, const MailServices& services)
{
    TEmail mail(services.messaging);
    mail.Recipient = CollectMailRecipients(listRows);
    std::vector<std::string> named = mail.Recipient;
    named.push_back(item.GetTarget());
    if (!AddressesArePlain(named, services.prompts))
        return;
    if (mail.Recipient.size() >= 2) {
        if (internetMail != MessagingMail && !services.prompts.Confirm(MultipleRecipientsQuestion))
            return;
    } else if (SendToOneAddress(item.GetTarget(), internetMail, services)) {
        return;
    }
    if (mail.Recipient.empty())
        mail.Recipient.push_back(item.GetTarget());
    if (!attachment.empty())
        mail.Attachment.push_back(attachment);
    mail.UseDefProfile = true;
    // The service shows its own messages; the result is not the user's concern here.
    mail.SendMail();
}

} // namespace quillary
