// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_services.h"

#include <QIcon>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace quillary {

class DesktopEntryIndex;

// The main window's image lists. The big (32 pixel) and the small (16 pixel) list hold the
// same pictures at the same positions, so one list of scalable icons serves both: the 14
// item pictures first, then one picture per document or tool that asked for its file's icon.
class QtIconStore : public IconStore
{
public:
    // Programs' icons come from the desktop's application entries.
    QtIconStore();
    // Programs' icons come from the given index, which must outlive the store.
    explicit QtIconStore(const DesktopEntryIndex& programs);

    // Appends the file's icon (path in UTF-8) and returns its position; a file nothing is
    // known about still gets the plain document picture, so the result is never -1.
    int AppendFileIcon(const std::string& path) override;
    // Puts the file's icon at an appended position; the fixed item pictures and positions
    // that do not exist are left alone.
    void ReplaceFileIcon(int index, const std::string& path) override;

    // The picture at a position; the no-icon picture (13) for a position that does not exist.
    QIcon Icon(int index) const;
    int Count() const;
    // The state picture of nodes with due reminders below them.
    QIcon DueMarker() const { return m_dueMarker; }

    // Tool-bar glyphs by name: import, publish, print, filter-any, filter-all, cut, copy,
    // paste, delete, view-large, view-small, view-list, view-details, tools, get-url, help,
    // up-one, bulb, program, and new-reminder, new-fax, new-email, new-phone, new-address,
    // new-website, new-person, new-team, new-organization, new-folder. Null for other names.
    static QIcon ToolbarIcon(const QString& name);
    static QStringList ToolbarIconNames();

private:
    QIcon IconOfFile(const std::string& path) const;

    const DesktopEntryIndex* m_programs = nullptr;
    std::vector<QIcon> m_icons;
    QIcon m_dueMarker;
};

} // namespace quillary
