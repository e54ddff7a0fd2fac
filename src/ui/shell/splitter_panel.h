// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

namespace quillary {

// The thin panel between the panes: dragging it sets the width of the visible left pane,
// but only once the new width differs by more than 4 pixels, so a shaky click moves nothing.
class SplitterPanel final : public QWidget
{
    Q_OBJECT

public:
    using WidthGetter = std::function<int()>;
    using WidthSetter = std::function<void(int)>;
    // paneLeft gives the left edge of the left pane, current its width, apply sets it.
    SplitterPanel(WidthGetter paneLeft, WidthGetter current, WidthSetter apply, QWidget* parent = nullptr);

    // What one pointer position (x within the panel) does; public so the rule can be tested.
    void DragTo(int xInPanel);
    bool Dragging() const { return m_dragging; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    WidthGetter m_paneLeft;
    WidthGetter m_current;
    WidthSetter m_apply;
    bool m_dragging = false;
};

} // namespace quillary
