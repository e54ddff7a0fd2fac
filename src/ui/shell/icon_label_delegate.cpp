// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/icon_label_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace quillary {

QStringList IconLabelLines(const QString& text, const QFont& font, int width, int maxLines)
{
    const QFontMetrics metrics(font);
    QStringList lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            // The last line takes all that is left, cut as one text.
            lines.append(metrics.elidedText(text.mid(line.textStart()).simplified(), Qt::ElideRight, width));
            break;
        }
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines;
}

void IconLabelDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    // Only labels under their icons (the large-icon style) are drawn here.
    if (item.decorationPosition != QStyleOptionViewItem::Top) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QString text = item.text;
    item.text.clear();
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    // The icon, the selection and the focus frame as usual; the label below by itself.
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
    item.text = text;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
    const QStringList lines = IconLabelLines(text, item.font, area.width());
    const QPalette::ColorRole role = item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    QRect lineRect(area.left(), area.top(), area.width(), item.fontMetrics.height());
    for (const QString& line : lines) {
        style->drawItemText(painter, lineRect, Qt::AlignHCenter | Qt::AlignTop, item.palette, true, line, role);
        lineRect.translate(0, item.fontMetrics.height());
    }
}

} // namespace quillary
