// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_entry_index.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>

namespace quillary {

namespace {

constexpr qint64 MaxEntryBytes = 256 * 1024;

// The keys of the [Desktop Entry] group that matter here.
struct Entry
{
    QString type;
    QString exec;
    QString tryExec;
    QString icon;
    bool hidden = false;
};

Entry ReadEntry(const QString& path)
{
    Entry entry;
    QFile file(path);
    if (file.size() > MaxEntryBytes || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    QTextStream stream(&file);
    bool inMainGroup = false;
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Type"))
            entry.type = value;
        else if (key == QLatin1String("Exec"))
            entry.exec = value;
        else if (key == QLatin1String("TryExec"))
            entry.tryExec = value;
        else if (key == QLatin1String("Icon"))
            entry.icon = value;
        else if (key == QLatin1String("Hidden"))
            entry.hidden = value == QLatin1String("true");
    }
    return entry;
}

// The program an Exec= line starts, past an "env NAME=value" prefix.
QString ExecProgram(const QString& exec)
{
    const QStringList words = QProcess::splitCommand(exec);
    qsizetype first = 0;
    if (!words.isEmpty() && words.front() == QLatin1String("env")) {
        first = 1;
        while (first < words.size() && words[first].contains('='))
            ++first;
    }
    return first < words.size() ? words[first] : QString();
}

} // namespace

DesktopEntryIndex::DesktopEntryIndex(const QStringList& folders)
{
    // An entry in an earlier folder hides the one of the same id (its path below the folder).
    QSet<QString> seenIds;
    for (const QString& folder : folders) {
        const QDir root(folder);
        QDirIterator files(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString id = root.relativeFilePath(path);
            if (!seenIds.contains(id)) {
                seenIds.insert(id);
                AddEntry(path);
            }
        }
    }
}

const DesktopEntryIndex& DesktopEntryIndex::System()
{
    static const DesktopEntryIndex index(QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
    return index;
}

QString DesktopEntryIndex::IconFor(const QString& programPath) const
{
    const QFileInfo program(programPath);
    const QFileInfo target(program.canonicalFilePath());
    for (const QString& path : {program.absoluteFilePath(), target.filePath()}) {
        if (const auto found = m_byPath.constFind(path); !path.isEmpty() && found != m_byPath.cend())
            return *found;
    }
    for (const QString& name : {program.fileName(), target.fileName()}) {
        if (const auto found = m_byName.constFind(name); !name.isEmpty() && found != m_byName.cend())
            return *found;
    }
    return {};
}

QString DesktopEntryIndex::IconOfEntry(const QString& desktopFile)
{
    const Entry entry = ReadEntry(desktopFile);
    return entry.hidden ? QString() : entry.icon;
}

void DesktopEntryIndex::AddEntry(const QString& desktopFile)
{
    const Entry entry = ReadEntry(desktopFile);
    if (entry.hidden || entry.icon.isEmpty() || entry.type != QLatin1String("Application"))
        return;
    for (const QString& program : {ExecProgram(entry.exec), entry.tryExec}) {
        if (program.isEmpty())
            continue;
        if (QFileInfo(program).isAbsolute())
            Claim(m_byPath, QDir::cleanPath(program), entry.icon);
        Claim(m_byName, QFileInfo(program).fileName(), entry.icon);
    }
}

void DesktopEntryIndex::Claim(QHash<QString, QString>& table, const QString& key, const QString& icon)
{
    const auto found = table.constFind(key);
    if (found == table.cend())
        table.insert(key, icon);
    else if (*found != icon)
        table.insert(key, QString());
}

} // namespace quillary
