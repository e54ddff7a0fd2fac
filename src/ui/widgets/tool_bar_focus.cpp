// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/tool_bar_focus.h"

#include <QChildEvent>
#include <QToolBar>
#include <QToolButton>

namespace quillary {

namespace {
// A tool bar makes its buttons refuse the focus; each button is given Tab focus as it is polished,
// which comes after the bar has set it up.
class ToolButtonFocus final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished)
            if (auto* button = qobject_cast<QToolButton*>(static_cast<QChildEvent*>(event)->child()))
                button->setFocusPolicy(Qt::TabFocus);
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void LetTabReachToolButtons(QToolBar& bar)
{
    for (QToolButton* button : bar.findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        button->setFocusPolicy(Qt::TabFocus);
    bar.installEventFilter(new ToolButtonFocus(&bar));
}

} // namespace quillary
