// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/dialogs/dialog_context.h"
#include "ui/dialogs/ok_bottom_dlg.h"

#include <QPlainTextEdit>
#include <QValidator>

#include <string>
#include <vector>

class QGridLayout;
class QIcon;
class QLabel;
class QLineEdit;

namespace quillary {

class CategoryPicture;
class MaskedNumberEdit;
class PhoneFormatCombo;
class TKPXObject;

// The frame of the item edit dialogs: the OK/Cancel frame with a help button, the kind's
// picture, the category picture for the item, and a column of labelled fields in the bevel.
class TDetailDlg : public TOKBottomDlg
{
    Q_OBJECT

public:
    TDetailDlg(const DialogContext& context, TKPXObject& item, const QString& caption, const QIcon& picture);

protected:
    // A labelled one-line box; maxLength 0 means unlimited. Boxes for short values are drawn
    // as wide as their limit, the others fill the column.
    QLineEdit* AddLineEdit(const char* name, const QString& label, int maxLength);
    // Puts a field under the previous one, optionally with a button beside it; the label is named
    // labelName, or the field's name followed by "Label".
    QLabel* AddRow(const QString& label, QWidget* field, const char* labelName = nullptr, QWidget* beside = nullptr);
    // Tab order top to bottom: the fields in the order added, the category picture, the buttons.
    void ChainTabOrder();

private:
    QGridLayout* m_grid = nullptr;
    int m_rows = 0;
    std::vector<QWidget*> m_fields;
    CategoryPicture* m_catSelect = nullptr;
};

// The frame of the phone and fax dialogs: a number field with a format list under it. Made
// with the list and its label hidden and the number as free text, which is how an existing
// number is edited; ShowFormats brings the list back for a new number.
class TNumberDlg : public TDetailDlg
{
    Q_OBJECT

public:
    using TDetailDlg::TDetailDlg;

    // Shows the format list and its label and sets "USA" with its mask.
    void ShowFormats();
    // A number field with required digits missing is refused with its own notice.
    void accept() override;

protected:
    void AddNumberRows(const char* numberName, const QString& numberLabel, const char* formatName,
                       const char* formatLabelName);
    MaskedNumberEdit* Number() const { return m_number; }

private:
    MaskedNumberEdit* m_number = nullptr;
    PhoneFormatCombo* m_format = nullptr;
    QLabel* m_formatLabel = nullptr;
};

// Shows stored text in a box. A stored value longer than the box's limit (read from a file or
// imported) raises the limit for this box instead of being cut, so OK never shortens it.
void ShowText(QLineEdit& edit, const std::string& field);
std::string TextOf(const QLineEdit& edit);

// Fills the dialog from the form, runs it modally and, when it closed with OK, copies its
// controls back into the form.
template <class Dialog, class Form> bool RunDetailDialog(Dialog& dialog, Form& form)
{
    dialog.Fill(form);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.CopyInto(form);
    return true;
}

// Width in pixels of a one-line box that shows about `chars` characters.
int LineEditWidth(const QWidget& edit, int chars);

// Keeps one-line boxes on one line, as the number fields do: of multi-line text that is pasted,
// dropped or set only the first line is taken, since stored fields cannot hold line breaks.
class SingleLineValidator final : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// A multi-line box without word wrap whose typed or pasted text is held to a length (line
// breaks count one each). Text put in by the program is not cut, so a longer stored address
// survives being shown; the user cannot make it longer.
class LimitedMemo final : public QPlainTextEdit
{
    Q_OBJECT

public:
    LimitedMemo(int maxLength, QWidget* parent = nullptr);

    int MaxLength() const { return m_maxLength; }
    void SetLines(const std::vector<std::string>& lines);
    // The lines as stored fields; an empty box has none.
    std::vector<std::string> Lines() const;

private:
    void CutOverflow(int position, int charsAdded);

    int m_maxLength;
    bool m_filling = false;
};

} // namespace quillary
