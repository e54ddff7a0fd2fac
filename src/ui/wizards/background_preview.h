// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace quillary {

// The size of the publishing wizard's preview, and of the shipped preview pictures.
inline constexpr QSize BackgroundPreviewSize(137, 129);

// The standard colour an HTML colour name ("Navy", "Teal" ...) stands for; black for a name
// that is none.
QColor HtmlColour(const QString& name);

// How a page looks with a background and two colours: the preview picture (a blank white one
// of the preview's size when bitmapFile is empty or cannot be read, else the picture at its own
// size) with "Sample Text" in the text colour and, underlined, "Sample Link" in the link colour.
QImage DrawBackgroundPreview(const QString& bitmapFile, const QColor& text, const QColor& link);

} // namespace quillary
