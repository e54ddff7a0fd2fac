// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/options_values.h"
#include "ui/dialogs/dialog_context.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

namespace quillary {

class QtIconStore;
class TToolItems;
class ToolListWidget;

// The help topic of the Options dialog.
inline constexpr int OptionsHelpContext = 1040;

// The Options dialog: browser and e-mail method, the tools list, the category names and the
// reminder notifications.
// Browser, mail and category changes are only read back through Values() after OK; changes on
// the "Tools Menu" page go to the tools list at once and stay when the dialog is cancelled.
class TOptionPages : public QDialog
{
    Q_OBJECT

public:
    // Picks an existing file (full path), or returns an empty text; replaced in tests.
    static std::function<QString(QWidget* parent, const QString& folder)> PickFile;

    TOptionPages(const DialogContext& context, const OptionsValues& current, TToolItems& tools, QtIconStore& icons);

    // What the dialog shows now; the mail method is 3 when no method is selected.
    OptionsValues Values() const;
    // A page of another part of the program, after the others; it reads its own values back.
    void AddPage(QWidget* page, const QString& title);

    void done(int result) override;

public slots:
    void SelectPathClick();
    void CatListClick();
    void CatNameExit();
    void ToolsListClick();
    void NewToolBtnClick();
    void DelToolBtnClick();

private:
    QWidget* BuildBrowserPage();
    QWidget* BuildToolsPage();
    QWidget* BuildCategoriesPage();
    QWidget* BuildRemindersPage();
    QWidget* BuildButtons(const DialogContext& context);
    void Show(const OptionsValues& values);
    void AttributesChange(QObject* sender);
    void ShowAttributes();
    void CommitFocusedEdit();

    TToolItems& m_tools;
    QtIconStore& m_icons;
    QTabWidget* m_pages = nullptr;
    QComboBox* m_dde = nullptr;
    QLineEdit* m_path = nullptr;
    QRadioButton* m_mail[3] = {};
    ToolListWidget* m_toolsList = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_fileName = nullptr;
    QLineEdit* m_arguments = nullptr;
    QCheckBox* m_addressCheck = nullptr;
    QListWidget* m_catList = nullptr;
    QLineEdit* m_catName = nullptr;
    QCheckBox* m_reminderNotifications = nullptr;
};

} // namespace quillary
