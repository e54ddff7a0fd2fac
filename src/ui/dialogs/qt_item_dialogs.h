// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/dialog_context.h"

#include <cstdint>
#include <vector>

namespace quillary {

class QtIconStore;

// The modal edit dialogs of the desktop, behind the interface through which items ask for them.
class QtItemDialogs final : public ItemDialogs
{
public:
    QtItemDialogs(DialogContext context, const QtIconStore& icons) : m_context(std::move(context)), m_icons(icons) {}

    bool EditAddress(TKPXObject& item, AddressForm& form, EditMode mode) override;
    bool EditPhone(TKPXObject& item, PhoneForm& form, EditMode mode) override;
    bool EditFax(TKPXObject& item, FaxForm& form, EditMode mode) override;
    bool EditEMail(TKPXObject& item, EMailForm& form, EditMode mode) override;
    bool EditWebsite(TKPXObject& item, WebsiteForm& form, EditMode mode) override;
    bool EditGroup(TKPXObject& item, GroupForm& form) override;
    bool EditDocument(TKPXObject& item, DocumentForm& form, EditMode mode) override;
    bool EditTool(TKPXObject& item, ToolForm& form, EditMode mode) override;
    bool EditReminder(TKPXObject& item, ReminderForm& form, TRecurringDate& date, EditMode mode) override;
    bool EditParty(TKPXObject& item, PartyForm& form, EditMode mode) override;

    // Whether an edit dialog is open on the person or organization with that identifier, or on
    // one of its details.
    bool IsEditing(std::int32_t partyId) const;

private:
    // Runs show with item counted as open.
    template <typename Show> bool Open(TKPXObject& item, Show&& show);

    std::vector<const TKPXObject*> m_open;
    DialogContext m_context;
    const QtIconStore& m_icons;
};

} // namespace quillary
