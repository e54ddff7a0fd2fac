// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/logic_form.h"

#include "ui/plain_text.h"
#include "ui/shell/main_form.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace quillary {

QString CutTrayTip(const QString& tip)
{
    return tip.left(62);
}

TLogicForm::TLogicForm(TMainForm& mainForm, QObject* parent) : QObject(parent), m_main(mainForm), m_menu(new QMenu)
{
    m_menu->setObjectName(QStringLiteral("TrayPopup"));
    connect(m_menu->addAction(QStringLiteral("&Restore")), &QAction::triggered, this, &TLogicForm::Restore);
    m_menu->addSeparator();
    QMenu* tools = m_menu->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    m_main.SetTrayToolsMenu(tools);
    QAction* getUrl = m_menu->addAction(QStringLiteral("&Get Browser URL"));
    connect(getUrl, &QAction::triggered, &m_main, &TMainForm::GetUrlBtnClick);
    m_menu->addAction(m_main.SynchronizeAction());
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("&Exit")), &QAction::triggered, this, &TLogicForm::ExitRequested);

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
        m_tray->setToolTip(QStringLiteral("Click to view main window"));
        m_tray->setContextMenu(m_menu);
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                Restore();
        });
        m_tray->show();
    }
    connect(&m_main, &TMainForm::TrayTipChanged, this, [this](const QString& tip) {
        if (m_tray)
            m_tray->setToolTip(PlainToolTip(CutTrayTip(tip)));
    });
}

TLogicForm::~TLogicForm()
{
    if (m_tray)
        m_tray->hide();
    delete m_menu;
}

QString TLogicForm::TrayToolTip() const
{
    return m_tray ? m_tray->toolTip() : CutTrayTip(m_main.TrayTip());
}

void TLogicForm::Restore()
{
    if (m_main.isMinimized())
        m_main.showNormal();
    else
        m_main.show();
    m_main.raise();
    m_main.activateWindow();
}

} // namespace quillary
