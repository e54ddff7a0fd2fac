// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/reminder_dlg.h"

#include "dialogs/recurring_date.h"
#include "platform/icon_catalog.h"
#include "ui/dialogs/recurring_date_dlg.h"
#include "ui/plain_text.h"
#include "ui/text_codec.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillary {

namespace {

constexpr int ReminderPicture = 9;

QPushButton* Button(const QString& text, const QString& hint, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace

std::function<bool(TRecurringDate&, QWidget*)> TRemdDlg::RunDateDialog = ExecuteRecurringDate;

TRemdDlg::TRemdDlg(const DialogContext& context, TKPXObject& item, TRecurringDate& date)
    : TDetailDlg(context, item, QStringLiteral("Reminder"), ItemPicture(ReminderPicture)), m_date(date)
{
    m_title = AddLineEdit("TitleEdit", QStringLiteral("Title"), 0);
    m_targetDate = AsPlainText(new QLabel(Bevel()));
    m_targetDate->setObjectName(QStringLiteral("TargetDateLabel"));
    QFont underlined = m_targetDate->font();
    underlined.setUnderline(true);
    m_targetDate->setFont(underlined);
    AddRow(QStringLiteral("Date(s)"), m_targetDate);
    AddRow(QString(), DateButtons(), "DateButtonsLabel");
    m_comment = AddLineEdit("RemdComment", QStringLiteral("Comment"), 0);
    ChainTabOrder();
    ShowDate();
}

QWidget* TRemdDlg::DateButtons()
{
    auto* box = new QWidget(Bevel());
    box->setObjectName(QStringLiteral("DateButtons"));
    auto* setDate = Button(QStringLiteral("Set Date..."), QStringLiteral("Select due date(s)"), "SetDateBtn", box);
    connect(setDate, &QPushButton::clicked, this, &TRemdDlg::SetDateBtnClick);
    auto* advance = Button(QStringLiteral("Advance"), QStringLiteral("Advance due date"), "AdvanceBtn", box);
    connect(advance, &QPushButton::clicked, this, &TRemdDlg::AdvanceBtnClick);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(setDate);
    layout->addWidget(advance);
    layout->addStretch();
    return box;
}

void TRemdDlg::Fill(const ReminderForm& form)
{
    ShowText(*m_title, form.title);
    ShowText(*m_comment, form.comment);
}

void TRemdDlg::CopyInto(ReminderForm& form) const
{
    form.title = TextOf(*m_title);
    form.comment = TextOf(*m_comment);
}

void TRemdDlg::ShowDate()
{
    m_targetDate->setText(FromField(m_date.GetDescription()));
}

void TRemdDlg::SetDateBtnClick()
{
    if (RunDateDialog)
        RunDateDialog(m_date, this);
    // Refreshed whatever the answer.
    ShowDate();
}

void TRemdDlg::AdvanceBtnClick()
{
    m_date.Advance();
    ShowDate();
}

bool EditReminderDialog(const DialogContext& context, TKPXObject& item, ReminderForm& form, TRecurringDate& date,
                        EditMode)
{
    TRemdDlg dialog(context, item, date);
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
