// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web_graphics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

// Resources of a static library are only linked in when something names them.
static void InitWebGraphicsResources()
{
    Q_INIT_RESOURCE(web_graphics);
}

namespace quillary {

namespace {

constexpr const char* Folders[] = {"Icons", "Backgrounds"};

// Qt gives a copy the permissions of its source, and resources are read-only; the copies
// become ordinary files the user may edit or replace.
constexpr QFileDevice::Permissions CopyPermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                     QFileDevice::ReadGroup | QFileDevice::ReadOther;

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A symbolic link counts as present even when it leads nowhere: it is the user's.
bool IsPresent(const QString& path)
{
    const QFileInfo file(path);
    return file.exists() || file.isSymLink();
}

// Copies one picture; returns what went wrong, empty when nothing did.
QString PlaceFile(const QString& source, const QString& destination)
{
    QFile shipped(source);
    // The copy goes through a temporary file renamed into place, so a full disk leaves no
    // half-written picture behind to be taken for the user's own on the next start.
    if (!shipped.copy(destination))
        return QStringLiteral("cannot write %1: %2").arg(Native(destination), shipped.errorString());
    if (!QFile::setPermissions(destination, CopyPermissions))
        return QStringLiteral("cannot make %1 writable").arg(Native(destination));
    return {};
}

// Fills one folder; returns the first failure, empty when there was none.
QString InstallFolder(const QString& shippedFolder, const QString& targetFolder)
{
    if (!QDir().mkpath(targetFolder))
        return QStringLiteral("cannot create the folder %1").arg(Native(targetFolder));
    QString firstProblem;
    const QDir shipped(shippedFolder);
    for (const QString& name : shipped.entryList(QDir::Files, QDir::Name)) {
        const QString destination = QDir(targetFolder).filePath(name);
        if (IsPresent(destination))
            continue;
        const QString problem = PlaceFile(shipped.filePath(name), destination);
        if (firstProblem.isEmpty())
            firstProblem = problem;
    }
    return firstProblem;
}

} // namespace

QString InstallWebGraphics(const QString& workingDirectory)
{
    InitWebGraphicsResources();
    const QDir target(QDir(workingDirectory).filePath(QStringLiteral("Web Graphics")));
    QString firstProblem;
    for (const char* folder : Folders) {
        const QString name = QLatin1String(folder);
        const QString problem = InstallFolder(QStringLiteral(":/web-graphics/") + name, target.filePath(name));
        if (firstProblem.isEmpty())
            firstProblem = problem;
    }
    if (!firstProblem.isEmpty())
        qWarning().noquote() << "Web Graphics:" << firstProblem;
    return firstProblem;
}

} // namespace quillary
