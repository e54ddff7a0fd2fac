// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace quillary {

// The small progress box of long work: an action text, a percentage and a result text. It
// stays on top without blocking, and repaints only when the shown percentage changes, so a
// walk over 100,000 nodes is not slowed down by painting.
class TProgressForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TProgressForm(QWidget* parent = nullptr);

    void Start(const QString& action, int maximum);
    // Shows the box and returns once it is on the screen and painted, for work that keeps the
    // event loop busy right afterwards (bounded: a desktop that never shows it costs half a second).
    void ShowNow();
    void SetPosition(int position);
    void SetResult(const QString& text);
    int ShownPercent() const { return m_percent; }

private:
    QLabel* m_action;
    QProgressBar* m_bar;
    QLabel* m_result;
    int m_maximum = 0;
    int m_percent = -1;
};

} // namespace quillary
