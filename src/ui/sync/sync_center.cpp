// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_center.h"

#include "common/file_error.h"
#include "common/process_secrets.h"
#include "shell/data_file_session.h"
#include "shell/profile_file.h"
#include "ui/sync/gui_tree_access.h"
#include "ui/sync/sync_attention_dialog.h"
#include "ui/sync/sync_questions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QInputDialog>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

namespace quillary {

namespace {
std::optional<QString> AskPasswordInDialog(QWidget* parent, const QString& text)
{
    MarkProcessHoldingSecrets();
    bool ok = false;
    const QString password =
        QInputDialog::getText(parent, QStringLiteral("Synchronization"), text, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return password;
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

int In(const SyncReport& report)
{
    return report.hereNew + report.hereChanged + report.hereDeleted;
}

int Out(const SyncReport& report)
{
    return report.serverNew + report.serverChanged + report.serverDeleted;
}
} // namespace

SyncWorker::TransportMaker SyncCenter::MakeTransport = MakeQtTransport;
std::function<std::optional<QString>(QWidget*, const QString&)> SyncCenter::AskPassword = AskPasswordInDialog;

SyncCenter::SyncCenter(SyncWindow window, TProfileFile& settings, QObject* parent)
    : QObject(parent), m_window(std::move(window)), m_settings(settings), m_thread(new QThread),
      m_threadContext(new QObject), m_timer(new QTimer(this))
{
    m_access = std::make_unique<GuiTreeAccess>(*this, *m_window.tree, m_window.treeChanged);
    SyncWorker::Hooks hooks;
    hooks.progress = [this](const std::string& text) {
        QMetaObject::invokeMethod(this, [this, text = Text(text)] { SetStatus(text); }, Qt::QueuedConnection);
    };
    hooks.busy = m_window.editing;
    hooks.saveTree = [this] { m_window.session->Save(*m_window.tree); };
    hooks.categoryNames = [this] { return m_window.categoryNames ? m_window.categoryNames() : CategoryNames{}; };
    hooks.saveCategoryNames = [this](const CategoryNames& names) {
        if (m_window.renameCategories)
            m_window.renameCategories(names);
    };
    m_worker = std::make_unique<SyncWorker>(*m_window.tree, *m_access, m_window.session->File(),
                                            [](const SyncAccount& account, const std::string& password) {
                                                return MakeTransport(account, password);
                                            },
                                            std::move(hooks));
    m_thread->setObjectName(QStringLiteral("Synchronization"));
    m_threadContext->moveToThread(m_thread);
    m_thread->start();
    connect(m_timer, &QTimer::timeout, this, [this] { StartRound(Round::Automatic); });
}

SyncCenter::~SyncCenter()
{
    disconnect(this, nullptr, nullptr, nullptr);
    m_closing = true;
    m_access->Close();
    if (m_running)
        FinishBeforeExit(std::chrono::milliseconds(0));
    m_thread->quit();
    if (m_thread->wait(2000)) {
        delete m_threadContext;
        delete m_thread;
        return;
    }
    // A thread still waiting on a server that ignores the abort keeps what it uses to the end of
    // the process, which is at hand; it can no longer reach the tree.
    (void)m_worker.release();
    (void)m_access.release();
}

void SyncCenter::Start()
{
    SettingsChanged();
    StartRound(Round::Automatic);
}

void SyncCenter::SettingsChanged()
{
    const std::chrono::seconds interval = ReadSyncSettings(m_settings).Interval();
    if (interval.count() > 0)
        m_timer->start(std::chrono::duration_cast<std::chrono::milliseconds>(interval));
    else
        m_timer->stop();
}

void SyncCenter::StartRound(Round round)
{
    if (m_running || m_closing) {
        if (round == Round::Manual)
            SetStatus(QStringLiteral("Synchronization is already running"));
        return;
    }
    if (m_window.session->IsReadOnly()) {
        if (round == Round::Manual)
            SetStatus(QStringLiteral("Not synchronized: ") + Text(m_window.session->ReadOnlyReason()));
        return;
    }
    const SyncSettings settings = ReadSyncSettings(m_settings);
    if (settings.accounts.empty()) {
        if (round == Round::Manual)
            SetStatus(QStringLiteral("No synchronization account: add one in View, Options, Synchronization"));
        return;
    }
    m_round = round;
    std::vector<SyncJob> jobs;
    for (std::size_t i = 0; i < settings.accounts.size(); ++i)
        if (std::optional<SyncJob> job = JobFor(i, settings.accounts[i], round))
            jobs.push_back(std::move(*job));
    if (!jobs.empty())
        Launch(std::move(jobs));
}

std::optional<SyncJob> SyncCenter::JobFor(std::size_t index, const SyncAccount& account, Round round)
{
    if (account.paused && round != Round::Manual)
        return std::nullopt;
    SyncJob job{index, account, {}, false};
    if (account.user.empty())
        return job;
    std::string problem;
    if (std::optional<std::string> password = m_passwords.Find(account, problem)) {
        job.password = std::move(*password);
        return job;
    }
    const std::string key = account.SyncUrl() + "\n" + account.user;
    if (round == Round::Exit || (round == Round::Automatic && m_declined.count(key)))
        return std::nullopt;
    const QString why = problem.empty() ? QString() : Text(problem) + QStringLiteral("\n\n");
    const std::optional<QString> typed =
        AskPassword(m_window.parent, why + QStringLiteral("Password of %1 at %2 (%3):")
                                               .arg(Text(account.user), Text(account.SyncUrl()), Text(account.name)));
    if (!typed) {
        m_declined.insert(key);
        SetStatus(QStringLiteral("Not synchronized with %1: no password").arg(Text(account.name)));
        return std::nullopt;
    }
    m_declined.erase(key);
    job.password = typed->toStdString();
    m_passwords.Keep(account, job.password, problem);
    return job;
}

void SyncCenter::Launch(std::vector<SyncJob> jobs)
{
    m_running = true;
    SetStatus(QStringLiteral("Synchronizing..."));
    QMetaObject::invokeMethod(
        m_threadContext,
        [this, jobs = std::move(jobs)] {
            std::vector<SyncJobResult> results = m_worker->Run(jobs);
            QMetaObject::invokeMethod(
                this, [this, results = std::move(results)] { RoundDone(results); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void SyncCenter::RoundDone(const std::vector<SyncJobResult>& results)
{
    m_running = false;
    int in = 0, out = 0;
    std::size_t waiting = 0;
    std::size_t refused = 0;
    QString failure;
    for (const SyncJobResult& result : results) {
        in += In(result.report);
        out += Out(result.report);
        waiting += result.report.waiting.size();
        refused += result.report.refused.size();
        if (result.report.outcome == SyncReport::Outcome::Failed && failure.isEmpty())
            failure = QStringLiteral("Synchronization with %1 failed: %2")
                          .arg(Text(result.settings.name), Text(result.report.failure.message));
    }
    QString status = QStringLiteral("Synchronized: %1 in, %2 out").arg(in).arg(out);
    if (waiting > 0)
        status += QStringLiteral(" (%1 waiting while open for editing)").arg(waiting);
    // Told, not asked: such a card stays as it is on the server, round after round.
    if (refused > 0)
        status += QStringLiteral(" (%1 of the server's cards not taken: larger than a card may be)").arg(refused);
    SetStatus(failure.isEmpty() ? status : failure);
    if (!failure.isEmpty())
        emit Failed(failure);
    std::vector<SyncJob> again = m_round == Round::Exit || m_closing ? std::vector<SyncJob>{} : Attend(results);
    if (!again.empty())
        Launch(std::move(again));
    emit RoundFinished();
}

// What needs the user; the result is the runs to make again at once with what they said.
std::vector<SyncJob> SyncCenter::Attend(const std::vector<SyncJobResult>& results)
{
    std::vector<SyncJob> again;
    for (const SyncJobResult& result : results) {
        if (std::optional<SyncJob> job = AskAgain(result))
            again.push_back(std::move(*job));
        else if (result.report.outcome == SyncReport::Outcome::MassDeleteRefused || !result.report.conflicts.empty())
            ShowAttention(result);
        else if (result.report.outcome == SyncReport::Outcome::Done && result.settings.paused)
            Pause(result.account, false);
    }
    return again;
}

// A refused password is asked for again; an untrusted certificate is shown for the user to accept.
std::optional<SyncJob> SyncCenter::AskAgain(const SyncJobResult& result)
{
    const DavStatus& failure = result.report.failure;
    if (result.report.outcome != SyncReport::Outcome::Failed)
        return std::nullopt;
    SyncJob job{result.account, result.settings, {}, false};
    if (failure.failure == DavFailure::Authentication && result.settings.passwordEnv.empty()) {
        m_passwords.Forget(result.settings);
        const std::optional<QString> typed = AskPassword(
            m_window.parent, QStringLiteral("The server refused the password of %1 at %2 (%3). Password:")
                                 .arg(Text(result.settings.user), Text(result.settings.SyncUrl()),
                                      Text(result.settings.name)));
        if (!typed)
            return std::nullopt;
        job.password = typed->toStdString();
        std::string problem;
        m_passwords.Keep(result.settings, job.password, problem);
        return job;
    }
    if (failure.failure == DavFailure::Certificate && !failure.fingerprint.empty()) {
        if (!AcceptCertificate(m_window.parent, Text(result.settings.name), failure))
            return std::nullopt;
        SyncSettings settings = ReadSyncSettings(m_settings);
        if (result.account < settings.accounts.size()) {
            settings.accounts[result.account].fingerprint = failure.fingerprint;
            WriteSyncSettings(m_settings, settings);
            m_settings.Flush();
        }
        job.settings.fingerprint = failure.fingerprint;
        std::string problem;
        if (std::optional<std::string> password = m_passwords.Find(result.settings, problem))
            job.password = std::move(*password);
        return job;
    }
    return std::nullopt;
}

void SyncCenter::ShowAttention(const SyncJobResult& result)
{
    auto* dialog = new SyncAttentionDialog(m_window.parent, Text(result.settings.name), result.report);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (result.report.outcome == SyncReport::Outcome::MassDeleteRefused) {
        Pause(result.account, true);
        connect(dialog, &QDialog::accepted, this, [this, result] {
            Pause(result.account, false);
            std::string problem;
            SyncJob job{result.account, result.settings, {}, true};
            job.settings.paused = false;
            if (std::optional<std::string> password = m_passwords.Find(result.settings, problem))
                job.password = std::move(*password);
            if (m_running)
                SetStatus(QStringLiteral("Synchronization is already running; synchronize again to go ahead"));
            else
                Launch({job});
        });
    }
    dialog->open();
}

void SyncCenter::Pause(std::size_t account, bool paused)
{
    SyncSettings settings = ReadSyncSettings(m_settings);
    if (account >= settings.accounts.size() || settings.accounts[account].paused == paused)
        return;
    settings.accounts[account].paused = paused;
    WriteSyncSettings(m_settings, settings);
    try {
        m_settings.Flush();
    } catch (const FileError& error) {
        SetStatus(Text(error.what()));
    }
}

void SyncCenter::SetStatus(const QString& text)
{
    m_status = text;
    emit StatusChanged(text);
}

bool SyncCenter::WaitUntilIdle(std::chrono::milliseconds limit)
{
    QElapsedTimer clock;
    clock.start();
    while (m_running && clock.elapsed() < limit.count())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return !m_running;
}

void SyncCenter::FinishBeforeExit(std::chrono::milliseconds budget)
{
    m_timer->stop();
    if (!m_running && !m_closing)
        StartRound(Round::Exit);
    m_round = Round::Exit;
    if (WaitUntilIdle(budget))
        return;
    // Asked to stop between batches; then the request in progress is cut off; then the worker may
    // no longer reach the tree at all.
    m_worker->RequestStop();
    if (WaitUntilIdle(std::chrono::seconds(2)))
        return;
    QMetaObject::invokeMethod(m_threadContext, [this] { m_worker->AbortRequests(); }, Qt::QueuedConnection);
    if (WaitUntilIdle(std::chrono::seconds(2)))
        return;
    m_access->Close();
}

} // namespace quillary
