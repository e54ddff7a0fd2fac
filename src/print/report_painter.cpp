// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_painter.h"

#include "reports/report_lines.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace quillary {

namespace {

constexpr int PdfResolution = 1200;

Qt::Alignment AlignmentOf(ReportAlign align)
{
    switch (align) {
    case ReportAlign::Center:
        return Qt::AlignHCenter;
    case ReportAlign::Right:
        return Qt::AlignRight;
    case ReportAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Sized in device pixels: the page's painter is scaled to hundredths, so a point size would
// be scaled twice; the text is drawn with the scaling undone instead.
QFont FontOf(const ReportFont& font, int deviceDpi)
{
    QFont result(QString::fromStdString(font.family));
    result.setPixelSize(std::max(1, qRound(font.points * deviceDpi / 72.0)));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

void PaintBox(QPainter& painter, const ReportBox& box, int deviceDpi)
{
    const QRectF rect(box.left, box.top, box.width, box.height);
    painter.save();
    painter.setClipRect(rect);
    if (box.inverse)
        painter.fillRect(rect, Qt::gray);
    const QRectF deviceRect = painter.transform().mapRect(rect);
    painter.resetTransform();
    painter.setFont(FontOf(box.font, deviceDpi));
    painter.setPen(box.inverse ? Qt::white : Qt::black);
    // The composer counted the lines a box holds with this height, so every line it kept is
    // painted whole; the clip and the stop at the box's foot only guard other documents.
    const qreal lineHeight = LineHeightOf(box.font.points) * deviceDpi / 100.0;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const int flags = static_cast<int>(AlignmentOf(box.align) | Qt::AlignTop) | Qt::TextSingleLine;
    qreal y = deviceRect.top();
    for (const std::string& line : box.lines) {
        if (y >= deviceRect.bottom())
            break;
        // A line wider than its box ends in an ellipsis rather than being cut through a letter.
        const QString text = metrics.elidedText(QString::fromStdString(line), Qt::ElideRight, deviceRect.width());
        painter.drawText(QRectF(deviceRect.left(), y, deviceRect.width(), lineHeight), flags, text);
        y += lineHeight;
    }
    painter.restore();
}

void PaintPage(QPainter& painter, const ReportPage& page, const QPagedPaintDevice& device)
{
    painter.resetTransform();
    painter.scale(device.logicalDpiX() / 100.0, device.logicalDpiY() / 100.0);
    for (const ReportBox& box : page.boxes)
        PaintBox(painter, box, device.logicalDpiY());
}

} // namespace

ReportPageSize PaperOf(const QPageLayout& layout)
{
    const QSizeF inches = layout.pageSize().size(QPageSize::Inch);
    const int width = qRound(inches.width() * 100);
    const int height = qRound(inches.height() * 100);
    return {std::min(width, height), std::max(width, height)};
}

bool PaintReport(const ReportDocument& document, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t index = 0; index < document.pages.size(); ++index) {
        if (index > 0 && !device.newPage())
            return false;
        PaintPage(painter, document.pages[index], device);
    }
    return painter.end();
}

bool SaveReportPdf(const ReportDocument& document, const QString& file, QString* error)
{
    QFile out(file);
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(file), reason);
        return false;
    };
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(out.errorString());
    QPdfWriter writer(&out);
    writer.setResolution(PdfResolution);
    writer.setTitle(QString::fromStdString(document.title));
    const QPageSize size(QSizeF(document.pageWidth / 100.0, document.pageHeight / 100.0), QPageSize::Inch, QString(),
                         QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
    if (!PaintReport(document, writer) || out.error() != QFileDevice::NoError) {
        const QString reason =
            out.error() != QFileDevice::NoError ? out.errorString() : QStringLiteral("painting failed");
        out.remove();
        return fail(reason);
    }
    return true;
}

} // namespace quillary
