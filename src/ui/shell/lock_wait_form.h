// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/run_lock.h"

#include <QDialog>

#include <chrono>
#include <optional>

class QLabel;
class QTimer;

namespace quillary {

// Shown while another program (quillary-cli importing, say) holds the data file's lock. It asks
// again every poll interval and closes by itself once the lock is this program's; "Open
// Read-Only" goes on without it, "Cancel" ends the start. A copy without the lock never writes.
class TLockWaitForm final : public QDialog
{
    Q_OBJECT

public:
    // The result of exec() besides Accepted (the lock is held) and Rejected (Cancel).
    enum Result { ReadOnly = 2 };

    explicit TLockWaitForm(const QString& dataFile, std::chrono::milliseconds poll = std::chrono::milliseconds(250),
                           QWidget* parent = nullptr);

    // The lock, once the wait ended with it.
    std::optional<RunLock> TakeLock() { return std::move(m_lock); }
    // Set when the lock could not even be asked for while waiting.
    const QString& Problem() const { return m_problem; }

private:
    void Poll();

    QString m_dataFile;
    QTimer* m_timer;
    std::optional<RunLock> m_lock;
    QString m_problem;
};

// How the program holds its data file for the run: with the lock, or read-only for a reason.
struct DataFileHold
{
    std::optional<RunLock> lock;
    QString readOnlyReason; // empty with the lock
    bool cancelled = false; // the user ended the start while waiting
    bool chosen = false;    // read-only was the user's own choice in the wait window
};

// Takes the data file's lock, waiting in a TLockWaitForm while another program holds it. A lock
// file that cannot be made (a read-only folder) gives read-only with the reason.
DataFileHold HoldDataFile(const QString& dataFile, std::chrono::milliseconds poll = std::chrono::milliseconds(250));

} // namespace quillary
