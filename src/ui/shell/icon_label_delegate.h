// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

class QFont;

namespace quillary {

// The lines of a large-icon label: the text wrapped at word boundaries into at most maxLines
// lines of the given width, the last line holding the rest of the whole text, elided at its end.
// A word longer than a line is broken where it must be.
QStringList IconLabelLines(const QString& text, const QFont& font, int width, int maxLines = 2);

// Draws large-icon entries with their label over two lines, elided as one text, where Qt's own
// icon view would elide each wrapped line by itself.
class IconLabelDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace quillary
