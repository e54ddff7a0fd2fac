// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_icon.h"

#include "platform/desktop_entry_index.h"
#include "platform/icon_catalog.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace quillary {

namespace {

constexpr int NoIconPicture = ItemPictureCount - 1;
constexpr int FolderPicture = 0;

// Executable bits alone say little (files on shared drives often have them all), so a file
// counts as a program only when its type is one.
bool IsProgramType(const QMimeType& type)
{
    return type.inherits(QStringLiteral("application/x-executable")) ||
           type.inherits(QStringLiteral("application/x-sharedlib")) ||
           type.inherits(QStringLiteral("application/x-shellscript"));
}

QIcon ThemeIconOrNull(const QString& name)
{
    return !name.isEmpty() && QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : QIcon();
}

QIcon ProgramIcon(const QFileInfo& file, const QMimeType& type, const DesktopEntryIndex* programs)
{
    const DesktopEntryIndex& index = programs != nullptr ? *programs : DesktopEntryIndex::System();
    if (const QIcon own = IconFromEntryValue(index.IconFor(file.filePath())); !own.isNull())
        return own;
    return IsProgramType(type) ? GenericProgramPicture() : QIcon();
}

QIcon TypeIcon(const QMimeType& type)
{
    if (const QIcon icon = ThemeIconOrNull(type.iconName()); !icon.isNull())
        return icon;
    if (const QIcon icon = ThemeIconOrNull(type.genericIconName()); !icon.isNull())
        return icon;
    return ItemPicture(type.name() == QLatin1String("inode/directory") ? FolderPicture : NoIconPicture);
}

} // namespace

QIcon FileIcon(const QString& path, const DesktopEntryIndex* programs)
{
    if (path.isEmpty())
        return ItemPicture(NoIconPicture);
    const QFileInfo file(path);
    if (file.isFile() && file.suffix() == QLatin1String("desktop")) {
        if (const QIcon icon = IconFromEntryValue(DesktopEntryIndex::IconOfEntry(path)); !icon.isNull())
            return icon;
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
    if (file.isFile() && file.isExecutable()) {
        if (const QIcon icon = ProgramIcon(file, type, programs); !icon.isNull())
            return icon;
    }
    return TypeIcon(type);
}

QIcon IconFromEntryValue(const QString& value)
{
    if (value.isEmpty())
        return {};
    if (QFileInfo(value).isAbsolute())
        return QFileInfo(value).isFile() ? QIcon(value) : QIcon();
    if (const QIcon icon = ThemeIconOrNull(value); !icon.isNull())
        return icon;
    for (const QString& suffix : {QString(), QStringLiteral(".png"), QStringLiteral(".svg"), QStringLiteral(".xpm")}) {
        const QString found =
            QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("pixmaps/") + value + suffix);
        if (!found.isEmpty())
            return QIcon(found);
    }
    return {};
}

} // namespace quillary
