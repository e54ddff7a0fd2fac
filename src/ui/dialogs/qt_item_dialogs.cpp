// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/qt_item_dialogs.h"

#include "model/items_party.h"
#include "model/tree_node.h"
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

template <typename Show> bool QtItemDialogs::Open(TKPXObject& item, Show&& show)
{
    m_open.push_back(&item);
    struct Closed
    {
        std::vector<const TKPXObject*>& open;
        ~Closed() { open.pop_back(); }
    } closed{m_open};
    return show();
}

bool QtItemDialogs::IsEditing(std::int32_t partyId) const
{
    for (const TKPXObject* item : m_open)
        for (const TreeNode* node = item->GetTreeNode(); node; node = node->Parent())
            if (node->Data()->GetID() == partyId && dynamic_cast<const TPartyObject*>(node->Data()))
                return true;
    return false;
}

bool QtItemDialogs::EditAddress(TKPXObject& item, AddressForm& form, EditMode mode)
{
    return Open(item, [&] { return EditAddressDialog(m_context, item, form, mode); });
}

bool QtItemDialogs::EditPhone(TKPXObject& item, PhoneForm& form, EditMode mode)
{
    return Open(item, [&] { return EditPhoneDialog(m_context, item, form, mode); });
}

bool QtItemDialogs::EditFax(TKPXObject& item, FaxForm& form, EditMode mode)
{
    return Open(item, [&] { return EditFaxDialog(m_context, item, form, mode); });
}

bool QtItemDialogs::EditEMail(TKPXObject& item, EMailForm& form, EditMode mode)
{
    return Open(item, [&] { return EditEMailDialog(m_context, item, form, mode); });
}

bool QtItemDialogs::EditWebsite(TKPXObject& item, WebsiteForm& form, EditMode mode)
{
    return Open(item, [&] { return EditWebsiteDialog(m_context, item, form, mode); });
}

bool QtItemDialogs::EditGroup(TKPXObject& item, GroupForm& form)
{
    return Open(item, [&] { return EditGroupDialog(m_context, item, form, item.GetKind()); });
}

bool QtItemDialogs::EditDocument(TKPXObject& item, DocumentForm& form, EditMode mode)
{
    return Open(item, [&] { return EditDocumentDialog(m_context, item, form, mode); });
}

bool QtItemDialogs::EditTool(TKPXObject& item, ToolForm& form, EditMode mode)
{
    return Open(item, [&] { return EditToolDialog(m_context, item, form, mode, m_icons); });
}

bool QtItemDialogs::EditReminder(TKPXObject& item, ReminderForm& form, TRecurringDate& date, EditMode mode)
{
    return Open(item, [&] { return EditReminderDialog(m_context, item, form, date, mode); });
}

bool QtItemDialogs::EditParty(TKPXObject& item, PartyForm& form, EditMode mode)
{
    auto* party = dynamic_cast<TPartyObject*>(&item);
    return party && Open(item, [&] { return EditPartyDialog(m_context, *party, form, mode); });
}

} // namespace quillary
