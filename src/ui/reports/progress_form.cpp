// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/progress_form.h"

#include "reports/progress_percent.h"
#include "ui/plain_text.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWindow>

namespace quillary {

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_action(AsPlainText(new QLabel(this))),
      m_bar(new QProgressBar(this)), m_result(AsPlainText(new QLabel(this)))
{
    setObjectName(QStringLiteral("TProgressForm"));
    setWindowTitle(QStringLiteral("Progress"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_action);
    layout->addWidget(m_bar);
    layout->addWidget(m_result);
    m_bar->setRange(0, 100);
    setFixedWidth(300);
}

void TProgressForm::Start(const QString& action, int maximum)
{
    m_action->setText(action);
    m_result->clear();
    m_maximum = maximum;
    m_percent = -1;
    SetPosition(0);
}

void TProgressForm::ShowNow()
{
    show();
    raise();
    const QDeadlineTimer limit(500);
    while (!(windowHandle() && windowHandle()->isExposed()) && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

void TProgressForm::SetPosition(int position)
{
    const int percent = std::clamp(ProgressPercent(position, m_maximum), 0, 100);
    if (percent == m_percent)
        return;
    m_percent = percent;
    m_bar->setValue(percent);
    if (isVisible())
        m_bar->repaint();
}

void TProgressForm::SetResult(const QString& text)
{
    m_result->setText(text);
}

} // namespace quillary
