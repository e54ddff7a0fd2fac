// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

#include <functional>

namespace quillary {

// The document dialog: a title, the document's file (typed or browsed for) and a comment.
class TDocEditDlg final : public TDetailDlg
{
    Q_OBJECT

public:
    TDocEditDlg(const DialogContext& context, TKPXObject& item);

    void Fill(const DocumentForm& form);
    void CopyInto(DocumentForm& form) const;

    // "Browse...": asks for an existing file, starting in the folder of the file name shown;
    // a picked file becomes the file name, and its name without the folder the title.
    void Browse();

    // Asks for an existing file to open, starting in the given folder (may be empty); returns
    // its full path, or an empty text when nothing was picked. Tests replace it.
    static std::function<QString(QWidget* parent, const QString& folder)> PickFile;

private:
    QLineEdit* m_title;
    QLineEdit* m_fileName;
    QLineEdit* m_comment;
};

bool EditDocumentDialog(const DialogContext& context, TKPXObject& item, DocumentForm& form, EditMode mode);

} // namespace quillary
