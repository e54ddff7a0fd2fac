// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

namespace quillary {

class QtIconStore;
class Shell;
class TToolItems;
class ToolListWidget;
struct TToolItem;

// The Tools dialog: launches a configured tool, or picks one to hang into the tree as a tool
// item. "&New Address..." ends the dialog with NewAddressResult (the "Yes" result) and the chosen tool;
// "&Launch" and "&Close" end it rejected.
class TToolsDlg : public QDialog
{
    Q_OBJECT

public:
    // What exec() answers after "&New Address...".
    static constexpr int NewAddressResult = QDialog::Accepted;

    TToolsDlg(TToolItems& tools, const QtIconStore& icons, Shell& shell, QWidget* parent = nullptr);

    // The tool picked with "&New Address...", or nullptr.
    const TToolItem* ChosenTool() const { return m_chosen; }

public slots:
    void ToolsListClick();
    void LaunchBtnClick();
    void AddrBtnClick();

private:
    Shell& m_shell;
    ToolListWidget* m_toolsList = nullptr;
    QPushButton* m_launch = nullptr;
    QPushButton* m_address = nullptr;
    const TToolItem* m_chosen = nullptr;
};

} // namespace quillary
