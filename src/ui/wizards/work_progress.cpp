// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/work_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace quillary {

WorkProgress::WorkProgress(QWidget* parent, const QString& label)
    : m_dialog(new QProgressDialog(label, QStringLiteral("Cancel"), 0, 100, parent))
{
    m_dialog->setWindowTitle(QStringLiteral("Quillary"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(400);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
    m_sinceEvents.start();
}

WorkProgress::~WorkProgress()
{
    delete m_dialog;
}

ProgressFn WorkProgress::Callback()
{
    return [this](std::uint64_t done, std::uint64_t total) { return Update(done, total); };
}

bool WorkProgress::Update(std::uint64_t done, std::uint64_t total)
{
    const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
    // setValue lets a modal dialog process events itself; between changes of the share the
    // events are still handled now and then, so Cancel answers on long single steps too.
    if (percent != m_shown) {
        m_shown = percent;
        m_dialog->setValue(percent);
        m_sinceEvents.restart();
    } else if (m_sinceEvents.elapsed() > 100) {
        QCoreApplication::processEvents();
        m_sinceEvents.restart();
    }
    m_cancelled = m_cancelled || m_dialog->wasCanceled();
    return !m_cancelled;
}

} // namespace quillary
