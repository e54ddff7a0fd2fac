// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;

namespace quillary {

class TMainForm;

// The program's lifetime owner behind the scenes: the tray icon with its menu, and showing the
// main window again. Closing the main window only hides it; "Exit" ends the program.
class TLogicForm final : public QObject
{
    Q_OBJECT

public:
    explicit TLogicForm(TMainForm& mainForm, QObject* parent = nullptr);
    ~TLogicForm() override;

    // "&Restore": show the main window, bring it to the front and activate it.
    void Restore();
    bool HasTray() const { return m_tray != nullptr; }
    QString TrayToolTip() const;
    QMenu& TrayMenu() { return *m_menu; }

signals:
    void ExitRequested();

private:
    TMainForm& m_main;
    QMenu* m_menu;
    QSystemTrayIcon* m_tray = nullptr;
};

// Tray tips hold at most 62 characters; longer ones are cut.
QString CutTrayTip(const QString& tip);

} // namespace quillary
