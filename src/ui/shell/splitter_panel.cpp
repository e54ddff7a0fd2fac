// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/splitter_panel.h"

#include <QMouseEvent>

namespace quillary {

SplitterPanel::SplitterPanel(WidthGetter paneLeft, WidthGetter current, WidthSetter apply, QWidget* parent)
    : QWidget(parent), m_paneLeft(std::move(paneLeft)), m_current(std::move(current)), m_apply(std::move(apply))
{
    setObjectName(QStringLiteral("WinSplitterPanel"));
    setFixedWidth(6);
    setCursor(Qt::SizeHorCursor);
}

void SplitterPanel::DragTo(int xInPanel)
{
    const int width = std::max(0, xInPanel + x() - m_paneLeft());
    if (std::abs(width - m_current()) > 4)
        m_apply(width);
}

void SplitterPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = true;
}

void SplitterPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        DragTo(static_cast<int>(event->position().x()));
}

void SplitterPanel::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

} // namespace quillary
