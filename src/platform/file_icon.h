// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

namespace quillary {

class DesktopEntryIndex;

// The picture the desktop shows for a file: a program's own icon from its application entry,
// the generic program picture for other programs, else the icon of the file's type. Never
// null: a file nothing is known about gets the plain document picture. Programs are looked up
// in the given index, or in the desktop's own one (read on first need) when there is none.
QIcon FileIcon(const QString& path, const DesktopEntryIndex* programs = nullptr);

// The picture an application entry's Icon= value names: a file path or a theme name (looked
// up in the theme, then among the desktop's loose pixmaps). Null when nothing is found.
QIcon IconFromEntryValue(const QString& value);

} // namespace quillary
