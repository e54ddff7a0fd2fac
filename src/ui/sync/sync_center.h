// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/sync/sync_passwords.h"
#include "ui/sync/sync_worker.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QThread;
class QTimer;
class QWidget;

namespace quillary {

class DataFileSession;
class GuiTreeAccess;
class ItemTree;
class TProfileFile;

// What the synchronisation needs of the window it works for.
struct SyncWindow
{
    QWidget* parent = nullptr; // over which it asks and tells
    ItemTree* tree = nullptr;
    DataFileSession* session = nullptr;
    std::function<bool(std::int32_t itemId)> editing; // an item open in an edit dialog
    std::function<void()> treeChanged;                // the views read the tree afresh
    // The category names cards carry, and those a run gave new names to free slots; without
    // them, no category travels.
    std::function<CategoryNames()> categoryNames;
    std::function<void(const CategoryNames&)> renameCategories;
};

// The desktop's synchronisation: rounds over every account on a thread of their own (the window
// stays responsive; the tree is reached only in pieces run on the window's thread), at start-up,
// every Interval minutes, on demand, and a last short one at the orderly end. Outcomes are told in
// the status bar and the tray tip; what needs the user (a password, a certificate, contacts kept
// both ways, a refused mass deletion) is asked over the window.
class SyncCenter final : public QObject
{
    Q_OBJECT

public:
    enum class Round { Manual, Automatic, Exit };

    // Replaced in tests: the transport of each run, and the password question (none: cancelled).
    static SyncWorker::TransportMaker MakeTransport;
    static std::function<std::optional<QString>(QWidget* parent, const QString& text)> AskPassword;

    SyncCenter(SyncWindow window, TProfileFile& settings, QObject* parent = nullptr);
    ~SyncCenter() override;

    // The first round and the timer; the settings may have changed since (Options).
    void Start();
    void SettingsChanged();
    // Every account now; paused ones too, so that the user can decide about them.
    void SyncNow() { StartRound(Round::Manual); }
    bool IsRunning() const { return m_running; }
    // A last round at the orderly end, bounded by budget; what it could not send goes next time.
    // Nothing of the sync touches the tree once it returns.
    void FinishBeforeExit(std::chrono::milliseconds budget);

    SyncPasswords& Passwords() { return m_passwords; }
    QString StatusText() const { return m_status; }

signals:
    void StatusChanged(const QString& text);
    void Failed(const QString& text); // once per failure, for the tray tip
    void RoundFinished(); // IsRunning() still when a run follows at once (a password asked again)

private:
    void StartRound(Round round);
    void Launch(std::vector<SyncJob> jobs);
    std::optional<SyncJob> JobFor(std::size_t index, const SyncAccount& account, Round round);
    void RoundDone(const std::vector<SyncJobResult>& results);
    std::vector<SyncJob> Attend(const std::vector<SyncJobResult>& results);
    std::optional<SyncJob> AskAgain(const SyncJobResult& result);
    void ShowAttention(const SyncJobResult& result);
    void Pause(std::size_t account, bool paused);
    void SetStatus(const QString& text);
    bool WaitUntilIdle(std::chrono::milliseconds limit);

    SyncWindow m_window;
    TProfileFile& m_settings;
    SyncPasswords m_passwords;
    std::unique_ptr<GuiTreeAccess> m_access;
    std::unique_ptr<SyncWorker> m_worker;
    QThread* m_thread = nullptr;
    QObject* m_threadContext = nullptr; // lives on m_thread: work posted to it runs there
    QTimer* m_timer = nullptr;
    Round m_round = Round::Manual;
    bool m_running = false;
    bool m_closing = false;
    std::set<std::string> m_declined; // accounts whose password question was cancelled in this run
    QString m_status;
};

} // namespace quillary
