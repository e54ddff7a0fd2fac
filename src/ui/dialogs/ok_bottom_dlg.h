// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QDialogButtonBox>

#include <vector>

class QFrame;
class QPushButton;

namespace quillary {

// The frame shared by the small dialogs: a framed bevel that holds the dialog's own controls,
// and OK (the default button) and Cancel (Escape) at the bottom. The dialog takes the size its
// contents need and cannot be resized; Qt centres it over its parent, or on the screen.
// The buttons sit in a button box so they follow the desktop's order, and so that fields which
// refuse to be left half filled still let the user reach Cancel and Help.
class TOKBottomDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);

    // The bevel area; a derived dialog gives it a layout with its controls.
    QFrame* Bevel() const { return m_bevel; }
    QPushButton* OKButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // The buttons in the order they are shown, left to right.
    std::vector<QWidget*> ButtonsInOrder() const;

protected:
    void AddButton(QPushButton* button, QDialogButtonBox::ButtonRole role);

private:
    QFrame* m_bevel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace quillary
