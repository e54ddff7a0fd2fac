// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <chrono>
#include <cstdint>
#include <optional>

class QTimer;

namespace quillary {

class DataFileSession;
class ItemTree;
class TMainForm;

// Keeps the recovery copy of a tree with unsaved changes. Writing it takes a while for a large
// tree, so it is written only once the changes have paused for a quiet spell, and at the latest
// after `longest` of changes that never pause; never for a read-only copy. Saving and reverting
// (DataFileSession) remove it.
class RecoveryKeeper final : public QObject
{
    Q_OBJECT

public:
    struct Timing
    {
        std::chrono::milliseconds quiet{3000};
        std::chrono::milliseconds longest{30000};
        std::chrono::milliseconds tick{1000}; // how often the tree is looked at
    };

    RecoveryKeeper(ItemTree& tree, DataFileSession& session, Timing timing, QObject* parent = nullptr);
    RecoveryKeeper(ItemTree& tree, DataFileSession& session, QObject* parent = nullptr)
        : RecoveryKeeper(tree, session, Timing(), parent)
    {
    }

signals:
    void Written(const QString& file);

private:
    void Tick();
    void Write();

    ItemTree& m_tree;
    DataFileSession& m_session;
    Timing m_timing;
    QTimer* m_timer;
    QElapsedTimer m_clock;
    std::uint64_t m_seen = 0;               // the generation last looked at
    std::optional<std::uint64_t> m_written; // the generation the copy holds
    qint64 m_lastChange = 0;
    std::optional<qint64> m_firstUnwritten;
    bool m_failureTold = false;
};

// At the start: a recovery copy newer than the data file is offered, naming both times.
// "Restore" loads it into the main window's tree (the data file stays as it is until the next
// save), "Discard" deletes it.
void OfferRecovery(TMainForm& form);

} // namespace quillary
