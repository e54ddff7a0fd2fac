// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_paths.h"

#include <QDir>
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

QString Created(const QString& folder)
{
    QDir().mkpath(folder);
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
