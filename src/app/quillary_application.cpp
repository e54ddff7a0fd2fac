// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quillary_application.h"

#include "ui/questions.h"

#include <exception>

namespace quillary {

namespace {
constexpr auto SupportAddress = "the project's issue page";
}

QuillaryApplication::QuillaryApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillary"));
    setApplicationDisplayName(QStringLiteral("Quillary"));
    setQuitOnLastWindowClosed(false);
}

bool QuillaryApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportAndQuit(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ReportAndQuit(QStringLiteral("Unknown error"));
    }
    return false;
}

void QuillaryApplication::ReportAndQuit(const QString& message)
{
    if (m_failing)
        return; // one report is enough; the program is already on its way out
    m_failing = true;
    Questions::Tell(nullptr, QMessageBox::Critical, applicationName(),
                    message.endsWith(QLatin1Char('.')) ? message : message + '.');
    Questions::Tell(nullptr, QMessageBox::Critical, QStringLiteral("Unhandled Exception"),
                    QStringLiteral("An unhandled program exception occurred. To protect your data, the program "
                                   "will terminate. Please report any repeatable program errors to %1.")
                        .arg(QString::fromLatin1(SupportAddress)));
    emit EndingAfterError();
    exit(1); // the orderly end: the data file is written after the loop returns
}

} // namespace quillary
