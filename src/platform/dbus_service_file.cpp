// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbus_service_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace quillary {

namespace {
const QString ServiceName = QStringLiteral("Zelk.Application");

QString DataHome()
{
    const QString set = qEnvironmentVariable("XDG_DATA_HOME");
    // XDG base directories must be absolute; a relative one is ignored.
    if (!set.isEmpty() && QDir::isAbsolutePath(set))
        return set;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

// The desktop-entry style quoting D-Bus uses for Exec: a path with blanks or quotes stays one word.
QString ExecWord(const QString& program)
{
    if (!program.contains(QRegularExpression(QStringLiteral("[\\s\"'\\\\]"))))
        return program;
    QString escaped = program;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
} // namespace

QString DBusServiceFilePath()
{
    return DataHome() + QStringLiteral("/dbus-1/services/") + ServiceName + QStringLiteral(".service");
}

bool WriteDBusServiceFile(const QString& program)
{
    if (!QDir::isAbsolutePath(program))
        return false; // the bus would not find a program named any other way
    const QString path = DBusServiceFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text =
        QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 AUTOMATION\n").arg(ServiceName, ExecWord(program));
    file.write(text.toUtf8());
    return file.commit();
}

bool RemoveDBusServiceFile()
{
    QFile file(DBusServiceFilePath());
    return !file.exists() || file.remove();
}

QString OwnProgramPath()
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

} // namespace quillary
