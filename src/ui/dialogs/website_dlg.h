// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

class QComboBox;

namespace quillary {

// The website dialog. The site address is typed or started from a list of common prefixes.
class TWebSiteDlg final : public TDetailDlg
{
    Q_OBJECT

public:
    TWebSiteDlg(const DialogContext& context, TKPXObject& item);

    void Fill(const WebsiteForm& form);
    void CopyInto(WebsiteForm& form) const;

    // The prefixes offered by the site address list, in list order.
    static QStringList Prefixes();

private:
    QLineEdit* m_title;
    QComboBox* m_web;
    QLineEdit* m_comment;
};

// Runs the website dialog on the form. A new website with no address yet starts at "http://".
bool EditWebsiteDialog(const DialogContext& context, TKPXObject& item, WebsiteForm& form, EditMode mode);

} // namespace quillary
