// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/wizard_form.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quillary {

namespace {
QPushButton* FrameButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumSize(65, 25);
    button->setAutoDefault(false);
    return button;
}
} // namespace

TWizardForm::TWizardForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Wizard"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(456, 310);

    m_pageControl = new QStackedWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(38);
    m_cancelBtn = FrameButton(QStringLiteral("Cancel"), QStringLiteral("Button1"), panel);
    m_prevBtn = FrameButton(QStringLiteral("<< Back"), QStringLiteral("PrevBtn"), panel);
    m_nextBtn = FrameButton(QStringLiteral("Next >>"), QStringLiteral("NextBtn"), panel);
    m_nextBtn->setDefault(true);
    auto* buttons = new QHBoxLayout(panel);
    buttons->addStretch();
    buttons->addWidget(m_cancelBtn);
    buttons->addSpacing(12);
    buttons->addWidget(m_prevBtn);
    buttons->addWidget(m_nextBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pageControl, 1);
    layout->addWidget(panel);

    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_prevBtn, &QPushButton::clicked, this, [this] { PrevBtnClick(); });
    connect(m_nextBtn, &QPushButton::clicked, this, [this] { NextBtnClick(); });
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (m_helpContext != 0)
            emit HelpRequested(m_helpContext);
    });
}

void TWizardForm::AddPage(QWidget* page, const QString& name)
{
    page->setObjectName(name);
    m_pageControl->addWidget(page);
    ShowAllSheets();
    GoToPage(0);
}

QWidget* TWizardForm::ActivePage() const
{
    return m_pageControl->currentWidget();
}

void TWizardForm::ShowAllSheets()
{
    m_visibleSheets.clear();
    for (int i = 0; i < m_pageControl->count(); ++i)
        m_visibleSheets.append(m_pageControl->widget(i)->objectName());
}

void TWizardForm::RemoveSheet(const QString& name)
{
    m_visibleSheets.removeAll(name);
}

void TWizardForm::SetSheets(const QStringList& names)
{
    m_visibleSheets = names;
}

void TWizardForm::GoToSheet(const QString& name)
{
    const qsizetype index = m_visibleSheets.indexOf(name);
    if (index < 0)
        return;
    GoToPage(static_cast<int>(index));
    SetNextFinishes(m_currentPage > 0 && m_currentPage + 1 == m_visibleSheets.size());
}

void TWizardForm::ActivatePage()
{
    for (int i = 0; i < m_pageControl->count(); ++i)
        if (m_pageControl->widget(i)->objectName() == m_visibleSheets.value(m_currentPage))
            m_pageControl->setCurrentIndex(i);
}

void TWizardForm::GoToPage(int index)
{
    if (index < 0 || index >= m_visibleSheets.size())
        return;
    m_currentPage = index;
    ActivatePage();
}

void TWizardForm::NextPage()
{
    if (m_currentPage < m_visibleSheets.size() - 1)
        GoToPage(m_currentPage + 1);
}

void TWizardForm::PrevPage()
{
    if (m_currentPage > 0)
        GoToPage(m_currentPage - 1);
}

void TWizardForm::SetNextFinishes(bool finishes)
{
    m_nextFinishes = finishes;
    m_nextBtn->setText(finishes ? QStringLiteral("Finish") : QStringLiteral("Next >>"));
}

void TWizardForm::NextBtnClick()
{
    if (m_nextFinishes) {
        accept();
        return;
    }
    if (m_currentPage >= m_visibleSheets.size() - 1)
        return;
    NextPage();
    SetNextFinishes(m_currentPage + 1 == m_visibleSheets.size());
}

void TWizardForm::PrevBtnClick()
{
    if (m_currentPage <= 0)
        return;
    PrevPage();
    SetNextFinishes(false);
}

void TWizardForm::done(int result)
{
    if (result == QDialog::Accepted && !FormClose())
        return;
    QDialog::done(result);
}

} // namespace quillary
