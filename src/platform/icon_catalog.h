// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace quillary {

// The pictures the program draws with: the desktop theme's icon where the theme has one,
// otherwise the picture bundled under :/icons.

// The number of fixed item pictures that open both image lists.
constexpr int ItemPictureCount = 14;

// Item picture 0 to 13 (folder, organization, team, person, website, address, phone, e-mail,
// fax, reminder, open folder, due reminder, root, no icon); any other position gives 13.
QIcon ItemPicture(int position);

// The state picture that marks a node with due reminders below it.
QIcon DueMarkerPicture();

// The picture of a program that has none of its own.
QIcon GenericProgramPicture();

// A tool-bar glyph by one of the names in ToolbarGlyphNames(); null for any other name.
QIcon ToolbarGlyph(const QString& name);
QStringList ToolbarGlyphNames();

// The first of the space-separated theme names the current theme has, else the bundled file.
QIcon ThemedIcon(const char* themeNames, const QString& bundledFile);

} // namespace quillary
