// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/background_preview.h"

#include <QFont>
#include <QPainter>

namespace quillary {

namespace {
// Point sizes at the 96 dots per inch the preview pictures were made for.
constexpr int SampleTextPixels = 16; // 12 points
constexpr int SampleLinkPixels = 13; // 10 points

QImage BlankPreview()
{
    QImage image(BackgroundPreviewSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QFont SampleFont(int pixels, bool underline)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setUnderline(underline);
    // Whole pixels in the chosen colours, as the pages' plain text colours are.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Text drawn from its top left corner, over a transparent background.
void DrawSample(QPainter& painter, QPoint topLeft, const QString& text, const QFont& font, const QColor& colour)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(topLeft, QSize(1000, 1000)), Qt::AlignLeft | Qt::AlignTop, text);
}
} // namespace

QColor HtmlColour(const QString& name)
{
    // The sixteen HTML colour names are also SVG colour keywords, with the same values.
    const QColor colour = QColor::fromString(name.toLower());
    return colour.isValid() ? colour : QColor(Qt::black);
}

QImage DrawBackgroundPreview(const QString& bitmapFile, const QColor& text, const QColor& link)
{
    QImage image;
    if (bitmapFile.isEmpty() || !image.load(bitmapFile))
        image = BlankPreview();
    image = image.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    DrawSample(painter, QPoint(10, 5), QStringLiteral("Sample Text"), SampleFont(SampleTextPixels, false), text);
    DrawSample(painter, QPoint(20, 40), QStringLiteral("Sample Link"), SampleFont(SampleLinkPixels, true), link);
    return image;
}

} // namespace quillary
