// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/status_panel.h"

#include "ui/plain_text.h"

namespace quillary {

StatusPanel::StatusPanel(int preferredWidth, QWidget* parent) : QLabel(parent), m_preferredWidth(preferredWidth)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    AsPlainText(this); // titles and hints are shown as they are, never as markup
}

QSize StatusPanel::sizeHint() const
{
    const QSize text = QLabel::sizeHint();
    return {m_preferredWidth > 0 ? m_preferredWidth : text.width(), text.height()};
}

QSize StatusPanel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

} // namespace quillary
