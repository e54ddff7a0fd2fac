// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/outward_actions.h"

#include "actions/action_prompts.h"
#include "actions/fax_action.h"
#include "links/web_link.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"

namespace quillary {

TOutwardActions::TOutwardActions(MailServices services, const TProfileFile& settings, ListSelection listSelection)
    : m_services(std::move(services)), m_settings(settings), m_listSelection(std::move(listSelection))
{
}

void TOutwardActions::SendMail(const TEMailObject& item, const std::string& attachment)
{
    const int internetMail =
        m_settings.ReadInteger(settings::SettingsSection, settings::InternetMailKey, NoInternetMailChoice);
    SendMailAction(item, attachment, internetMail, m_listSelection(), m_services);
}

void TOutwardActions::SendFax(const TFaxObject& item, const std::string& document)
{
    SendFaxAction(item, document, m_services.messaging, m_services.prompts);
}

void TOutwardActions::Browse(const std::string& url)
{
    if (!IsOpenableLink(url)) {
        m_services.prompts.ShowError(RefusedLinkMessage(url));
        return;
    }
    m_services.openInBrowser(url);
}

} // namespace quillary
