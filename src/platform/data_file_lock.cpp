// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/data_file_lock.h"

#include "common/file_error.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtDebug>

namespace quillary {

std::optional<RunLock> HoldDataFile(const QString& dataFile)
{
    const QDeadlineTimer patience(10000);
    try {
        for (;;) {
            if (auto lock = RunLock::TryAcquire(dataFile.toStdString()))
                return lock;
            if (patience.hasExpired())
                break;
            QThread::msleep(100);
        }
        qWarning("Data file: another program keeps %s locked; running without the lock", qPrintable(dataFile));
    } catch (const FileError& error) {
        qWarning("Data file: %s; running without the lock", error.what());
    }
    return std::nullopt;
}

} // namespace quillary
