// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace quillary {

// Which icon the desktop shows for a program: the Icon= of the application entry (.desktop
// file) whose Exec= or TryExec= starts that program.
class DesktopEntryIndex
{
public:
    // Reads every *.desktop file below the folders; earlier folders win.
    explicit DesktopEntryIndex(const QStringList& folders);

    // The index of the user's and the system's application folders, read on first use.
    static const DesktopEntryIndex& System();

    // The Icon= value (a theme name or a file path) for the program, or empty. A program is
    // matched by its path first, then by its file name; a file name that entries with
    // different icons share (an interpreter, a sandbox launcher) matches nothing.
    QString IconFor(const QString& programPath) const;

    // The Icon= value of one application entry, or empty.
    static QString IconOfEntry(const QString& desktopFile);

private:
    void AddEntry(const QString& desktopFile);
    static void Claim(QHash<QString, QString>& table, const QString& key, const QString& icon);

    // Program path or file name -> icon; an empty icon marks a key claimed by different icons.
    QHash<QString, QString> m_byPath;
    QHash<QString, QString> m_byName;
};

} // namespace quillary
