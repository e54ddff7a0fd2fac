// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actions/mail_action.h"
#include "model/item_services.h"

#include <functional>
#include <vector>

namespace quillary {

class TProfileFile;

// The mail, fax and browse actions of detail items on the desktop's services. The mail method is
// read from the settings at every send, so a change in the Options dialog applies at once.
class TOutwardActions final : public ItemActions
{
public:
    using ListSelection = std::function<std::vector<const TKPXObject*>()>;

    // listSelection answers the item list's selected rows while the list is the active pane.
    TOutwardActions(MailServices services, const TProfileFile& settings, ListSelection listSelection);

    void SendMail(const TEMailObject& item, const std::string& attachment) override;
    void SendFax(const TFaxObject& item, const std::string& document) override;
    // Only web addresses are opened (IsOpenableLink); another target is refused with a message.
    void Browse(const std::string& url) override;

private:
    MailServices m_services;
    const TProfileFile& m_settings;
    ListSelection m_listSelection;
};

} // namespace quillary
