// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_paths.h"

#include "common/file_error.h"
#include "common/private_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillary {

namespace {

// An empty QUILLARY_HOME counts as unset.
QString HomeOverride()
{
    const QString home = qEnvironmentVariable("QUILLARY_HOME");
    return home.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(home).absoluteFilePath());
}

// Made private (0700): the folders hold contacts and settings. A folder that cannot be made is
// left to the first file written there, whose failure names it.
QString Created(const QString& folder)
{
    try {
        CreatePrivateFolders(QFile::encodeName(folder).toStdString());
    } catch (const FileError& error) {
        qWarning("%s", error.what());
    }
    return folder;
}

} // namespace

QString WorkingDirectory()
{
    const QString home = HomeOverride();
    if (!home.isEmpty())
        return Created(home);
    return Created(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/quillary");
}

QString SettingsFilePath()
{
    QString folder = HomeOverride();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/quillary";
    return Created(folder) + "/kpx.ini";
}

} // namespace quillary
