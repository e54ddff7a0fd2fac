// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/recovery_keeper.h"

#include "common/file_error.h"
#include "model/item_tree.h"
#include "shell/data_file_session.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"

#include <QDateTime>
#include <QLocale>
#include <QTimer>
#include <QtDebug>

namespace quillary {

RecoveryKeeper::RecoveryKeeper(ItemTree& tree, DataFileSession& session, Timing timing, QObject* parent)
    : QObject(parent), m_tree(tree), m_session(session), m_timing(timing), m_timer(new QTimer(this)),
      m_seen(tree.ChangeGeneration())
{
    m_clock.start();
    m_timer->setInterval(m_timing.tick);
    connect(m_timer, &QTimer::timeout, this, &RecoveryKeeper::Tick);
    m_timer->start();
}

void RecoveryKeeper::Tick()
{
    const std::uint64_t generation = m_tree.ChangeGeneration();
    const qint64 now = m_clock.elapsed();
    if (generation != m_seen) {
        m_seen = generation;
        m_lastChange = now;
        if (!m_firstUnwritten)
            m_firstUnwritten = now;
    }
    // A tree still being read is no change of the user's: nothing of it is kept.
    if (m_session.IsReadOnly() || m_session.IsLoading() || !m_tree.HasUnsavedChanges()) {
        m_firstUnwritten.reset();
        return;
    }
    if (m_written == generation)
        return;
    const bool quiet = now - m_lastChange >= m_timing.quiet.count();
    const bool overdue = m_firstUnwritten && now - *m_firstUnwritten >= m_timing.longest.count();
    if (quiet || overdue)
        Write();
}

void RecoveryKeeper::Write()
{
    const std::uint64_t generation = m_tree.ChangeGeneration();
    m_firstUnwritten.reset();
    try {
        const QString file = QString::fromStdString(m_session.KeepRecovery(m_tree).string());
        m_written = generation;
        m_failureTold = false;
        emit Written(file);
    } catch (const FileError& error) {
        // Tried again after the next quiet spell; said once until it works again.
        if (!m_failureTold)
            qWarning("The recovery copy could not be written: %s", error.what());
        m_failureTold = true;
    }
}

namespace {
QString TimeText(FileTime time)
{
    const auto msecs = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    return QLocale().toString(QDateTime::fromMSecsSinceEpoch(msecs), QLocale::LongFormat);
}

QString OfferText(const RecoveryCopy& copy, const std::filesystem::path& dataFile)
{
    const QString data = QString::fromStdString(dataFile.string());
    const QString dataLine =
        copy.dataWritten ? QStringLiteral("The data file %1 was last saved %2.").arg(data, TimeText(*copy.dataWritten))
                         : QStringLiteral("There is no data file %1 yet.").arg(data);
    return QStringLiteral("Quillary ended without saving its last changes. They were kept in %1, written %2.\n\n"
                          "%3\n\nRestore the changes? The data file stays as it is until you save.")
        .arg(QString::fromStdString(copy.file.string()), TimeText(copy.written), dataLine);
}
} // namespace

void OfferRecovery(TMainForm& form)
{
    DataFileSession& session = form.Session();
    // A read-only copy could never save what it restored; the copy waits for a start that can.
    const std::optional<RecoveryCopy> copy = session.IsReadOnly() ? std::nullopt : session.FindRecovery();
    if (!copy)
        return;
    const QMessageBox::StandardButton answer = Questions::Ask(
        &form, QMessageBox::Question, QStringLiteral("Restore Changes"), OfferText(*copy, session.File()),
        QMessageBox::Yes | QMessageBox::Discard, QMessageBox::Yes,
        {{QMessageBox::Yes, QStringLiteral("&Restore")}, {QMessageBox::Discard, QStringLiteral("&Discard")}});
    // Only a plain Discard deletes the copy: a box closed some other way loses nothing.
    if (answer == QMessageBox::Discard) {
        std::error_code ignored;
        std::filesystem::remove(copy->file, ignored);
        return;
    }
    std::string problem;
    if (!session.Restore(form.Tree(), *copy, problem)) {
        Questions::Tell(&form, QMessageBox::Critical, QStringLiteral("Restore Changes"),
                        QString::fromLocal8Bit(problem.c_str()) + QStringLiteral("."));
        return;
    }
    form.ShowWholeTree();
}

} // namespace quillary
