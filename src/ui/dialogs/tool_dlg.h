// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

namespace quillary {

class QtIconStore;

// The dialog of a tool item: a title, the address the tool is applied to and a comment; the
// picture is the tool's own icon.
class TToolEdit final : public TDetailDlg
{
    Q_OBJECT

public:
    TToolEdit(const DialogContext& context, TKPXObject& item, const QIcon& toolIcon);

    void Fill(const ToolForm& form);
    // The icon position is the item's and is left as it is.
    void CopyInto(ToolForm& form) const;

private:
    QLineEdit* m_title;
    QLineEdit* m_address;
    QLineEdit* m_comment;
};

// Runs the tool dialog on the form, showing the icon at the form's icon position.
bool EditToolDialog(const DialogContext& context, TKPXObject& item, ToolForm& form, EditMode mode,
                    const QtIconStore& icons);

} // namespace quillary
