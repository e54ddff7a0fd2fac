// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_paths.h"

#include "common/file_error.h"
#include "common/private_folders.h"
#include "places/app_places.h"

#include <QFile>

namespace quillary {

namespace {

QString Text(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// Made private (0700): the folders hold contacts and settings. A folder that cannot be made is
// left to the first file written there, whose failure names it.
QString Created(const std::filesystem::path& folder)
{
    try {
        CreatePrivateFolders(folder);
    } catch (const FileError& error) {
        qWarning("%s", error.what());
    }
    return Text(folder);
}

} // namespace

QString WorkingDirectory()
{
    return Created(DataFolder());
}

QString SettingsFilePath()
{
    const std::filesystem::path file = SettingsFile();
    Created(file.parent_path());
    return Text(file);
}

} // namespace quillary
