// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/lock_wait_form.h"

#include "common/file_error.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace quillary {

namespace {
QString NoLockReason(const FileError& error)
{
    return QStringLiteral("its lock file cannot be made (%1)").arg(QString::fromLocal8Bit(error.what()));
}

QLabel* WaitText(const QString& dataFile, QWidget* parent)
{
    auto* text = new QLabel(
        QStringLiteral("<p><b>Waiting for %1...</b></p>"
                       "<p>Another program (such as quillary-cli) is using this data file. Quillary opens it as "
                       "soon as that program is done, with whatever it wrote.</p>"
                       "<p>Open Read-Only shows the file now without ever saving it; Cancel ends Quillary "
                       "without touching anything.</p>")
            .arg(dataFile.toHtmlEscaped()),
        parent);
    text->setObjectName(QStringLiteral("WaitText"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return text;
}
} // namespace

TLockWaitForm::TLockWaitForm(const QString& dataFile, std::chrono::milliseconds poll, QWidget* parent)
    : QDialog(parent), m_dataFile(dataFile), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("TLockWaitForm"));
    setWindowTitle(QStringLiteral("Waiting for %1...").arg(QFileInfo(dataFile).fileName()));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* readOnly = buttons->addButton(QStringLiteral("&Open Read-Only"), QDialogButtonBox::AcceptRole);
    readOnly->setObjectName(QStringLiteral("ReadOnlyBtn"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setDefault(true);
    connect(readOnly, &QPushButton::clicked, this, [this] { done(ReadOnly); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(WaitText(dataFile, this), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(460);

    m_timer->setInterval(poll);
    connect(m_timer, &QTimer::timeout, this, &TLockWaitForm::Poll);
    m_timer->start();
}

void TLockWaitForm::Poll()
{
    try {
        m_lock = RunLock::TryAcquire(m_dataFile.toStdString());
    } catch (const FileError& error) {
        m_problem = NoLockReason(error);
        done(ReadOnly);
        return;
    }
    if (m_lock)
        accept();
}

DataFileHold HoldDataFile(const QString& dataFile, std::chrono::milliseconds poll)
{
    DataFileHold hold;
    try {
        hold.lock = RunLock::TryAcquire(dataFile.toStdString());
    } catch (const FileError& error) {
        hold.readOnlyReason = NoLockReason(error);
        return hold;
    }
    if (hold.lock)
        return hold;
    TLockWaitForm wait(dataFile, poll);
    const int result = wait.exec();
    if (result == QDialog::Accepted) {
        hold.lock = wait.TakeLock();
    } else if (result == TLockWaitForm::ReadOnly) {
        hold.chosen = wait.Problem().isEmpty();
        hold.readOnlyReason =
            hold.chosen ? QStringLiteral("another program was using it when Quillary started") : wait.Problem();
    } else {
        hold.cancelled = true;
    }
    return hold;
}

} // namespace quillary
