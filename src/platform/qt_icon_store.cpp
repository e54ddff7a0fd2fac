// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_icon_store.h"

#include "platform/file_icon.h"
#include "platform/icon_catalog.h"

namespace quillary {

QtIconStore::QtIconStore() : m_dueMarker(DueMarkerPicture())
{
    for (int position = 0; position < ItemPictureCount; ++position)
        m_icons.push_back(ItemPicture(position));
}

QtIconStore::QtIconStore(const DesktopEntryIndex& programs) : QtIconStore()
{
    m_programs = &programs;
}

int QtIconStore::AppendFileIcon(const std::string& path)
{
    m_icons.push_back(IconOfFile(path));
    return Count() - 1;
}

void QtIconStore::ReplaceFileIcon(int index, const std::string& path)
{
    if (index < ItemPictureCount || index >= Count())
        return;
    m_icons[static_cast<std::size_t>(index)] = IconOfFile(path);
}

QIcon QtIconStore::Icon(int index) const
{
    if (index < 0 || index >= Count())
        index = ItemPictureCount - 1;
    return m_icons[static_cast<std::size_t>(index)];
}

int QtIconStore::Count() const
{
    return static_cast<int>(m_icons.size());
}

QIcon QtIconStore::ToolbarIcon(const QString& name)
{
    return ToolbarGlyph(name);
}

QStringList QtIconStore::ToolbarIconNames()
{
    return ToolbarGlyphNames();
}

QIcon QtIconStore::IconOfFile(const std::string& path) const
{
    return FileIcon(QString::fromStdString(path), m_programs);
}

} // namespace quillary
