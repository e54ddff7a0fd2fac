// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace quillary {

// A status-bar panel that asks for its preferred width but gives way down to nothing when the
// window is narrow, so that the panels never push the window wider or overlap one another.
// Text that does not fit is cut at the panel's edge.
class StatusPanel final : public QLabel
{
    Q_OBJECT

public:
    // preferredWidth 0: as wide as the text.
    explicit StatusPanel(int preferredWidth, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    int m_preferredWidth;
};

} // namespace quillary
