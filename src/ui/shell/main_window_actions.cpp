// SPDX-License-Identifier: GPL-3.0-or-later
// The pop-up's outward actions: mail, fax, dial, browse and launch of the selected item.
#include "model/kpx_object.h"
#include "ui/shell/main_form.h"

namespace quillary {

void TMainForm::ListPaneMailClick()
{
    if (TKPXObject* target = PopupTarget())
        target->SendMail({});
}

void TMainForm::ListPaneFaxClick()
{
    if (TKPXObject* target = PopupTarget())
        target->SendFax({});
}

void TMainForm::ListPaneDialClick()
{
    if (TKPXObject* target = PopupTarget())
        target->Dial();
}

void TMainForm::ListPaneBrowseClick()
{
    if (TKPXObject* target = PopupTarget())
        target->Browse();
}

void TMainForm::ListPaneLaunchClick()
{
    if (TKPXObject* target = PopupTarget())
        target->Launch();
}

std::vector<const TKPXObject*> TMainForm::MailRows() const
{
    if (m_activePane != Pane::MainItems)
        return {};
    const QList<TKPXObject*> items = SelectedItems();
    return {items.begin(), items.end()};
}

} // namespace quillary
