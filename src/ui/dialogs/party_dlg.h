// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/dialog_context.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace quillary {

class LimitedMemo;
class MaskedNumberEdit;
class PhoneFormatCombo;
class TPartyObject;

// The organization and person dialogs: the item's own fields above five tab sheets, one per
// primary detail. Each sheet's title box lists the item's children of that kind; picking one
// shows that child's fields. The dialog only shows and collects: the item applies the result.
class TPartyEditDlg final : public QDialog
{
    Q_OBJECT

public:
    TPartyEditDlg(const DialogContext& context, TPartyObject& item, EditMode mode);

    void Fill(const PartyForm& form);
    PartyForm Collected() const;

    // The title-click loaders: show the child whose title the sheet's title box holds.
    void LoadAddress();
    void LoadPhone();
    void LoadFax();
    void LoadEMail();
    void LoadWebsite();
    // Leaving the person's title splits it into first, middle and last name (a new person's
    // preset title, still untouched, is no name and stays as it is).
    void TitleExit();
    // A half-typed phone or fax number is refused: its sheet is shown, the user told and the
    // field focused.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildNames();
    QWidget* BuildAddressSheet();
    QWidget* BuildPhoneSheet();
    QWidget* BuildFaxSheet();
    QWidget* BuildEMailSheet();
    QWidget* BuildWebSheet();
    QWidget* BuildButtons();
    QComboBox* TitleBox(const char* name, int slot);
    void LoadSection(int slot);
    void FillSection(int slot, const PartyForm& form);
    // A new person's title follows the names typed until the user types a title of their own.
    void FollowNames();

    const DialogContext& m_context;
    TPartyObject& m_item;
    EditMode m_mode;
    bool m_person;
    QString m_presetTitle;
    bool m_titleFollows = false;
    QLineEdit* m_title = nullptr;
    QComboBox* m_salutation = nullptr;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_middle = nullptr;
    QLineEdit* m_last = nullptr;
    QLineEdit* m_suffix = nullptr;
    QLineEdit* m_company = nullptr;
    QLineEdit* m_jobTitle = nullptr;
    QLineEdit* m_comment = nullptr;
    QTabWidget* m_pages = nullptr;
    QComboBox* m_addrTitle = nullptr;
    LimitedMemo* m_addr = nullptr;
    QLineEdit* m_city = nullptr;
    QLineEdit* m_state = nullptr;
    QLineEdit* m_postCode = nullptr;
    QLineEdit* m_country = nullptr;
    QLineEdit* m_addrComment = nullptr;
    QComboBox* m_phoneTitle = nullptr;
    MaskedNumberEdit* m_phoneNum = nullptr;
    QLineEdit* m_extension = nullptr;
    PhoneFormatCombo* m_phoneFmt = nullptr;
    QLabel* m_phoneFmtLabel = nullptr;
    QLineEdit* m_phoneComment = nullptr;
    QComboBox* m_faxTitle = nullptr;
    MaskedNumberEdit* m_faxNum = nullptr;
    PhoneFormatCombo* m_faxFmt = nullptr;
    QLabel* m_faxFmtLabel = nullptr;
    QLineEdit* m_faxComment = nullptr;
    QComboBox* m_emailTitle = nullptr;
    QLineEdit* m_emailAddr = nullptr;
    QLineEdit* m_emailComment = nullptr;
    QComboBox* m_webTitle = nullptr;
    QComboBox* m_web = nullptr;
    QLineEdit* m_webComment = nullptr;
};

// Runs the person or organization dialog on the form; true when it closed with OK.
bool EditPartyDialog(const DialogContext& context, TPartyObject& item, PartyForm& form, EditMode mode);

} // namespace quillary
