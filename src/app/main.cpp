// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: one running copy, the working directory, the main window and the tray, and the
// orderly end that writes the data file.
#include "app/quillary_application.h"
#include "platform/app_paths.h"
#include "platform/data_file_lock.h"
#include "platform/dbus_service_file.h"
#include "platform/signal_bridge.h"
#include "platform/single_instance.h"
#include "platform/web_graphics.h"
#include "shell/command_line.h"
#include "shell/profile_file.h"
#include "shell/save_leftovers.h"
#include "ui/automation/automation_service.h"
#include "ui/automation/main_form_automation_host.h"
#include "ui/shell/logic_form.h"
#include "ui/shell/main_form.h"

#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace {

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
    // Ask twice: two copies started at the same moment may both find nobody listening at first.
    if (instance.HandOver(commandLine) || (!instance.Listen() && instance.HandOver(commandLine)))
        return 0; // the running copy took the command line; this one touches nothing
    QDir::setCurrent(workingDirectory);
    InstallWebGraphics(workingDirectory); // a failure is logged and does not stop the start
    const QString dataFile = QDir(workingDirectory).filePath(QStringLiteral("zelk.dat"));
    const auto dataFileLock = HoldDataFile(dataFile);
    if (dataFileLock) // else a command-line import may be writing its temporary file right now
        RemoveSaveLeftovers(workingDirectory.toStdString(), SettingsFilePath().toStdString());

    TProfileFile settings(SettingsFilePath().toStdString());
    TMainForm mainForm(settings, dataFile);
    TLogicForm logicForm(mainForm);
    mainForm.SetStartupCommandLine(commandLine);

    QObject::connect(&instance, &SingleInstance::commandLineReceived, &mainForm,
                     [&mainForm](const QString& text) { mainForm.HandleCommandLine(text); });
    // exit(), not quit(): quit() first asks the windows to close, and the main window only hides.
    const auto endProgram = [] { QCoreApplication::exit(0); };
    QObject::connect(&mainForm, &TMainForm::ExitRequested, &app, endProgram);
    QObject::connect(&logicForm, &TLogicForm::ExitRequested, &app, endProgram);
    SignalBridge signalBridge;
    QObject::connect(&signalBridge, &SignalBridge::terminationRequested, &app, endProgram);
    // A desktop logout ends the session's programs; make it the same orderly end as "Exit".
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, endProgram);

    // Every start keeps the activation file pointing at this program.
    if (!WriteDBusServiceFile(OwnProgramPath()))
        qWarning("Could not write %s", qPrintable(DBusServiceFilePath()));
    MainFormAutomationHost automationHost(mainForm);
    AutomationService automation(mainForm.Tree(), automationHost, QDBusConnection::sessionBus());
    if (!automation.Register())
        qWarning("Automation is not offered: %s", qPrintable(automation.ErrorText()));
    // A copy started by a client ends with that client's last cursor.
    if (automationStart == AutomationStart::ByClient)
        QObject::connect(&automation, &AutomationService::LastReleased, &app, endProgram);

    if (!hidden)
        logicForm.Restore();
    const int status = app.exec();
    mainForm.SaveOnExit();
    return status;
}
