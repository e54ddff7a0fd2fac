// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/fax_action.h"

#include "actions/action_prompts.h"
#include "actions/attachment_file.h"
#include "model/items_contact.h"

namespace quillary {

mapi::Message FaxMessage(const TFaxObject& item, const std::string& document)
{
    mapi::Message message;
    message.recipients.push_back({mapi::To, item.GetTitle(), "FAX:" + item.GetTarget()});
    if (AttachmentExists(document))
        message.files.push_back({document, {}, -1});
    return message;
}

int SendFaxAction(const TFaxObject& item, const std::string& document, SimpleMessaging& messaging,
                  ActionPrompts& prompts)
{
    const int result = messaging.SendMail(mapi::NoSession, FaxMessage(item, document),
                                          mapi::LogonUi | mapi::NewSession | mapi::Dialog);
    if (result != mapi::SuccessSuccess)
        prompts.ShowError(FaxFailedMessage);
    return result;
}

} // namespace quillary
