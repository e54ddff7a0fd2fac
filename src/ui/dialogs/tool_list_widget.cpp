// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/tool_list_widget.h"

#include "platform/qt_icon_store.h"
#include "shell/tool_items.h"
#include "ui/text_codec.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace quillary {

namespace {

constexpr int ToolRole = Qt::UserRole + 1;
constexpr QPoint IconOffset(1, 2);
constexpr QPoint TextOffset(36, 8);
constexpr int IconSize = 32;

class ToolRowDelegate : public QStyledItemDelegate
{
public:
    explicit ToolRowDelegate(ToolListWidget& list) : QStyledItemDelegate(&list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const TToolItem* tool = ToolListWidget::ToolOf(m_list.item(index.row()));
        if (!tool)
            return;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
        if (m_list.Icons())
            m_list.Icons()
                ->Icon(tool->ImageIndex)
                .paint(painter, QRect(option.rect.topLeft() + IconOffset, QSize(IconSize, IconSize)));
        painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect(option.rect.topLeft() + TextOffset, option.rect.bottomRight());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FromField(tool->Description));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width() + TextOffset.x(), ToolListWidget::RowHeight};
    }

private:
    ToolListWidget& m_list;
};

} // namespace

ToolListWidget::ToolListWidget(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("ToolsList"));
    setAccessibleName(QStringLiteral("Tools"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new ToolRowDelegate(*this));
}

void ToolListWidget::Fill(const TToolItems& tools, const QtIconStore& icons)
{
    m_icons = &icons;
    clear();
    for (std::size_t i = 0; i < tools.Count(); ++i) {
        auto* row = new QListWidgetItem(FromField(tools.At(i)->Description), this);
        row->setData(ToolRole, QVariant::fromValue(reinterpret_cast<quintptr>(tools.At(i))));
    }
}

void ToolListWidget::AddTool(const TToolItem& tool)
{
    auto* row = new QListWidgetItem(FromField(tool.Description), this);
    row->setData(ToolRole, QVariant::fromValue(reinterpret_cast<quintptr>(&tool)));
    setCurrentItem(row);
}

void ToolListWidget::RemoveSelectedRow()
{
    const QList<QListWidgetItem*> rows = selectedItems();
    if (!rows.isEmpty())
        delete takeItem(row(rows.first()));
}

void ToolListWidget::RefreshSelectedRow()
{
    const QList<QListWidgetItem*> rows = selectedItems();
    if (rows.isEmpty())
        return;
    if (const TToolItem* tool = ToolOf(rows.first()))
        rows.first()->setText(FromField(tool->Description));
    viewport()->update();
}

TToolItem* ToolListWidget::SelectedTool() const
{
    const QList<QListWidgetItem*> rows = selectedItems();
    return rows.isEmpty() ? nullptr : ToolOf(rows.first());
}

TToolItem* ToolListWidget::ToolOf(const QListWidgetItem* row)
{
    // The rows only point at the tools; whoever owns the list decides who may change them.
    return row ? reinterpret_cast<TToolItem*>(row->data(ToolRole).value<quintptr>()) : nullptr;
}

} // namespace quillary
