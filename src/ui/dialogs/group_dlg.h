// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

namespace quillary {

// The properties dialog of folders and teams: title and comment only. The two kinds differ
// in caption, picture and field names.
class TGroupEditDlg : public TDetailDlg
{
    Q_OBJECT

public:
    void Fill(const GroupForm& form);
    void CopyInto(GroupForm& form) const;

protected:
    // kindName is "Folder" or "Team": the caption and the start of the field names.
    TGroupEditDlg(const DialogContext& context, TKPXObject& item, const QString& kindName, int kind);

private:
    QLineEdit* m_title;
    QLineEdit* m_comment;
};

class TFolderEditDlg final : public TGroupEditDlg
{
    Q_OBJECT

public:
    TFolderEditDlg(const DialogContext& context, TKPXObject& item);
};

class TTeamEditDlg final : public TGroupEditDlg
{
    Q_OBJECT

public:
    TTeamEditDlg(const DialogContext& context, TKPXObject& item);
};

// Runs the team dialog when kind is a team's, else the folder dialog. There is no required
// field: an empty title is taken too.
bool EditGroupDialog(const DialogContext& context, TKPXObject& item, GroupForm& form, int kind);

} // namespace quillary
