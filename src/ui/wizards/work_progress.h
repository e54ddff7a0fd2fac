// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"

#include <QElapsedTimer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace quillary {

// A modal progress dialog with Cancel for long imports and publishing, driven by the progress
// callback of the core formats. It appears only when the work takes longer than a moment,
// repaints only when the shown share changes, and lets the window repaint and the user cancel
// while the work runs on.
class WorkProgress
{
public:
    WorkProgress(QWidget* parent, const QString& label);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // The callback for the core function; it answers false once the user has cancelled.
    ProgressFn Callback();
    bool Cancelled() const { return m_cancelled; }

private:
    bool Update(std::uint64_t done, std::uint64_t total);

    QProgressDialog* m_dialog;
    QElapsedTimer m_sinceEvents;
    int m_shown = -1;
    bool m_cancelled = false;
};

} // namespace quillary
