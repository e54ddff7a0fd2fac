// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: one running copy, the working directory, the main window and the tray, and the
// orderly end that writes the data file.
#include "app/desktop_services.h"
#include "app/quillary_application.h"
#include "platform/app_paths.h"
#include "platform/dbus_service_file.h"
#include "platform/signal_bridge.h"
#include "platform/single_instance.h"
#include "platform/web_graphics.h"
#include "shell/command_line.h"
#include "shell/profile_file.h"
#include "shell/save_leftovers.h"
#include "ui/automation/automation_lifetime.h"
#include "ui/automation/automation_service.h"
#include "ui/automation/main_form_automation_host.h"
#include "ui/questions.h"
#include "ui/shell/contact_document.h"
#include "ui/shell/lock_wait_form.h"
#include "ui/shell/logic_form.h"
#include "ui/shell/main_form.h"
#include "ui/shell/recovery_keeper.h"
#include "ui/shell/reminder_watch.h"
#include "ui/sync/sync_center.h"

#include <QDBusConnection>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

namespace {

// How long a copy started for an automation client waits for the client's first cursor.
constexpr std::chrono::seconds AutomationIdleTime{10};

std::vector<std::string> Arguments(int argc, char** argv)
{
    return {argv, argv + argc};
}

// File names become absolute, so the running copy finds them whatever its own folder.
QString HandOverText(const std::vector<std::string>& args)
{
    std::vector<std::string> absolute = args;
    for (std::size_t i = 1; i < absolute.size(); ++i) {
        const QFileInfo file(QString::fromStdString(absolute[i]));
        if (file.exists())
            absolute[i] = file.absoluteFilePath().toStdString();
    }
    return QString::fromStdString(quillary::CommandLineText(absolute));
}

// "REGSERVER" and "UNREGSERVER" only change the bus's activation file; nothing else starts.
int ChangeRegistration(quillary::AutomationStart word)
{
    using namespace quillary;
    const bool done =
        word == AutomationStart::Register ? WriteDBusServiceFile(OwnProgramPath()) : RemoveDBusServiceFile();
    if (!done) {
        qWarning("Could not change %s", qPrintable(DBusServiceFilePath()));
        return 1;
    }
    return 0;
}

// Hands the command line to a running copy, or makes this the running copy. An exit status when
// this copy must end: 0 when the running copy took the command line, 1 when it cannot be reached
// or no private folder for the socket exists (said in a box and on the error output).
std::optional<int> StartAsSingleCopy(quillary::SingleInstance& instance, const QString& commandLine)
{
    using Result = quillary::SingleInstance::HandOverResult;
    QString problem = instance.Problem();
    if (problem.isEmpty()) {
        Result result = instance.HandOver(commandLine);
        // Two copies started at the same moment may both find nobody listening at first.
        if (result == Result::NobodyRunning && !instance.Listen())
            result = instance.HandOver(commandLine);
        if (result == Result::Delivered)
            return 0; // the running copy took the command line; this one touches nothing
        if (result == Result::NoAnswer)
            problem = QStringLiteral("Quillary is already running but does not answer. It may be stopped or "
                                     "busy; try again in a moment.");
        else if (result == Result::Refused)
            problem = QStringLiteral("The running copy of Quillary refused this command line.");
    }
    if (problem.isEmpty())
        return std::nullopt;
    qWarning("%s", qPrintable(problem));
    QMessageBox::warning(nullptr, QStringLiteral("Quillary"), problem);
    return 1;
}

// An unreadable data file is never replaced: the start ends, saying why, before anything is
// written. Otherwise a copy without the lock is read-only, and a recovery copy is offered.
bool StartWithDataFile(quillary::TMainForm& mainForm, const quillary::DataFileHold& hold)
{
    using namespace quillary;
    if (mainForm.LoadResult().state == DataFileState::Unreadable) {
        const QString problem = QString::fromLocal8Bit(mainForm.LoadResult().problem.c_str());
        qCritical("%s; Quillary ends without changing it", qPrintable(problem));
        Questions::Tell(nullptr, QMessageBox::Critical, QStringLiteral("Quillary"),
                        QStringLiteral("%1.\n\nQuillary ends without changing anything, so the file stays as it is. "
                                       "Give it back read permission (or move what is in its place) and start "
                                       "Quillary again.")
                            .arg(problem));
        return false;
    }
    if (!hold.lock) {
        mainForm.SetReadOnly(hold.readOnlyReason);
        if (!hold.chosen)
            Questions::Tell(nullptr, QMessageBox::Warning, QStringLiteral("Quillary"),
                            QStringLiteral("Quillary opens %1 read-only: %2. Your changes in this run can only be "
                                           "saved to another file.")
                                .arg(mainForm.DataFile(), hold.readOnlyReason));
    }
    OfferRecovery(mainForm);
    return true;
}

// Runs the loop while the data file is read in slices. False when an end was asked meanwhile
// (Exit, closing the window, a signal, the logout): the half-read tree is then never saved.
bool WaitForLoad(quillary::TMainForm& mainForm)
{
    QEventLoop loop;
    QObject::connect(&mainForm, &quillary::TMainForm::LoadFinished, &loop, &QEventLoop::quit);
    // exit() ends every running loop, this one too; a load that has finished meanwhile counts.
    if (mainForm.IsLoading())
        loop.exec();
    return !mainForm.IsLoading();
}

// Runs the loop until an end that may end the program: the user may go back from a failed save.
int RunUntilEnd(QApplication& app, quillary::TMainForm& mainForm)
{
    for (;;) {
        const int status = app.exec();
        if (mainForm.SaveOnExit())
            return status;
    }
}

} // namespace

int main(int argc, char** argv)
{
    using namespace quillary;
    const std::vector<std::string> args = Arguments(argc, argv);
    const bool hidden = IsHiddenStart(args);
    const AutomationStart automationStart = FindAutomationStart(args);
    if (automationStart == AutomationStart::Register || automationStart == AutomationStart::Unregister)
        return ChangeRegistration(automationStart);
    QuillaryApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/quillary.svg")));
    const QString commandLine = HandOverText(args);

    const QString workingDirectory = WorkingDirectory();
    SingleInstance instance(SingleInstance::ServerName(workingDirectory));
    if (const auto status = StartAsSingleCopy(instance, commandLine))
        return *status;
    QDir::setCurrent(workingDirectory);
    InstallWebGraphics(workingDirectory); // a failure is logged and does not stop the start
    const QString dataFile = QDir(workingDirectory).filePath(QStringLiteral("zelk.dat"));
    // Second starts may hand over their command lines while the lock is waited for: they are kept
    // and handled once the window exists.
    QStringList earlyCommandLines;
    const QMetaObject::Connection early =
        QObject::connect(&instance, &SingleInstance::commandLineReceived,
                         [&earlyCommandLines](const QString& text) { earlyCommandLines << text; });
    // Until the main window exists a signal ends the start at once: nothing is written before.
    const DataFileHold dataFileHold = HoldDataFile(dataFile);
    if (dataFileHold.cancelled)
        return 0;
    if (dataFileHold.lock) // else a command-line import may be writing its temporary file right now
        RemoveSaveLeftovers(workingDirectory.toStdString(), SettingsFilePath().toStdString());

    TProfileFile settings(SettingsFilePath().toStdString());
    DesktopServices desktop(settings);
    ContactDocument document(dataFile, desktop.ItemDesk(), settings);
    TMainForm mainForm(settings, document, desktop);
    TLogicForm logicForm(mainForm);
    // exit(), not quit(): quit() first asks the windows to close, and the main window only hides.
    const auto endProgram = [] { QCoreApplication::exit(0); };
    QObject::connect(&mainForm, &TMainForm::ExitRequested, &app, endProgram);
    QObject::connect(&logicForm, &TLogicForm::ExitRequested, &app, endProgram);
    // Ends nobody waits on at the screen: their save never asks (exit() also closes a box that is up).
    const auto endUnattended = [&mainForm] {
        mainForm.SetUnattendedEnd(true);
        QCoreApplication::exit(0);
    };
    SignalBridge signalBridge;
    QObject::connect(&signalBridge, &SignalBridge::terminationRequested, &app, endUnattended);
    // A desktop logout ends the session's programs; make it the same orderly end as a signal.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, endUnattended);
    QObject::connect(&app, &QuillaryApplication::EndingAfterError, &app,
                     [&mainForm] { mainForm.SetUnattendedEnd(true); });

    // Every start keeps the activation file pointing at this program.
    if (!WriteDBusServiceFile(OwnProgramPath()))
        qWarning("Could not write %s", qPrintable(DBusServiceFilePath()));
    MainFormAutomationHost automationHost(mainForm);
    AutomationService automation(document.Tree(), automationHost, QDBusConnection::sessionBus());
    automation.SetSync(&document.Sync());
    automation.SetNotReady([&mainForm] {
        return mainForm.IsLoading() ? QStringLiteral("Quillary is still reading its data file; try again when it "
                                                     "has finished")
                                    : QString();
    });
    if (!automation.Register())
        qWarning("Automation is not offered: %s", qPrintable(automation.ErrorText()));

    // A large data file is read while the window shows; an end asked meanwhile writes nothing.
    if (mainForm.IsLoading()) {
        if (!hidden)
            logicForm.Restore();
        if (!WaitForLoad(mainForm)) {
            mainForm.SaveOnExit(); // the window's state only
            return 0;
        }
    }
    if (!StartWithDataFile(mainForm, dataFileHold))
        return 1;
    RecoveryKeeper recoveryKeeper(document.Tree(), document.Session());
    mainForm.SetStartupCommandLine(commandLine);
    ReminderWatch reminderWatch(document, settings,
                                WindowShowingReminders(mainForm, [&logicForm] { logicForm.Restore(); }),
                                QDBusConnection::sessionBus(), QDBusConnection::systemBus());

    QObject::disconnect(early);
    QObject::connect(&instance, &SingleInstance::commandLineReceived, &mainForm,
                     [&mainForm](const QString& text) { mainForm.HandleCommandLine(text); });
    for (const QString& text : std::as_const(earlyCommandLines))
        QTimer::singleShot(0, &mainForm, [&mainForm, text] { mainForm.HandleCommandLine(text); });
    // A copy started by a client ends with its clients' last cursor, or soon when none takes one,
    // until the user starts the program by hand.
    std::unique_ptr<AutomationLifetime> lifetime;
    if (automationStart == AutomationStart::ByClient) {
        lifetime = std::make_unique<AutomationLifetime>(automation, AutomationIdleTime);
        QObject::connect(lifetime.get(), &AutomationLifetime::EndRequested, &app, endUnattended);
        QObject::connect(&instance, &SingleInstance::commandLineReceived, lifetime.get(),
                         [&lifetime](const QString& text) {
                             if (FindAutomationStartInText(text.toStdString()) == AutomationStart::None)
                                 lifetime->AdoptByUser();
                         });
    }

    if (!hidden)
        logicForm.Restore();
    if (!mainForm.IsReadOnly())
        mainForm.Sync().Start();
    return RunUntilEnd(app, mainForm);
}
