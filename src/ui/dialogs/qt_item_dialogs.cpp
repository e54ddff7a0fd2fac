// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/qt_item_dialogs.h"

#include "model/items_party.h"
#include "ui/dialogs/address_dlg.h"
#include "ui/dialogs/document_dlg.h"
#include "ui/dialogs/email_dlg.h"
#include "ui/dialogs/fax_dlg.h"
#include "ui/dialogs/group_dlg.h"
#include "ui/dialogs/party_dlg.h"
#include "ui/dialogs/phone_dlg.h"
#include "ui/dialogs/reminder_dlg.h"
#include "ui/dialogs/tool_dlg.h"
#include "ui/dialogs/website_dlg.h"

namespace quillary {

bool QtItemDialogs::EditAddress(TKPXObject& item, AddressForm& form, EditMode mode)
{
    return EditAddressDialog(m_context, item, form, mode);
}

bool QtItemDialogs::EditPhone(TKPXObject& item, PhoneForm& form, EditMode mode)
{
    return EditPhoneDialog(m_context, item, form, mode);
}

bool QtItemDialogs::EditFax(TKPXObject& item, FaxForm& form, EditMode mode)
{
    return EditFaxDialog(m_context, item, form, mode);
}

bool QtItemDialogs::EditEMail(TKPXObject& item, EMailForm& form, EditMode mode)
{
    return EditEMailDialog(m_context, item, form, mode);
}

bool QtItemDialogs::EditWebsite(TKPXObject& item, WebsiteForm& form, EditMode mode)
{
    return EditWebsiteDialog(m_context, item, form, mode);
}

bool QtItemDialogs::EditGroup(TKPXObject& item, GroupForm& form)
{
    return EditGroupDialog(m_context, item, form, item.GetKind());
}

bool QtItemDialogs::EditDocument(TKPXObject& item, DocumentForm& form, EditMode mode)
{
    return EditDocumentDialog(m_context, item, form, mode);
}

bool QtItemDialogs::EditTool(TKPXObject& item, ToolForm& form, EditMode mode)
{
    return EditToolDialog(m_context, item, form, mode, m_icons);
}

bool QtItemDialogs::EditReminder(TKPXObject& item, ReminderForm& form, TRecurringDate& date, EditMode mode)
{
    return EditReminderDialog(m_context, item, form, date, mode);
}

bool QtItemDialogs::EditParty(TKPXObject& item, PartyForm& form, EditMode mode)
{
    auto* party = dynamic_cast<TPartyObject*>(&item);
    return party && EditPartyDialog(m_context, *party, form, mode);
}

} // namespace quillary
