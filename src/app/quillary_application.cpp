// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quillary_application.h"

#include "exchange/html_publish.h"
#include "shell/web_page_links.h"
#include "ui/questions.h"

#include <exception>
#include <string_view>

namespace quillary {

namespace {
// The Help menu's Tech Support page, so the message and the menu send the user to one place.
QString SupportAddress()
{
    for (const WebPageLink& link : WebPageLinks())
        if (std::string_view(link.caption) == "&Tech Support")
            return QString::fromStdString(link.Address());
    return QString::fromLatin1(MakerWebPage.data(), static_cast<qsizetype>(MakerWebPage.size()));
}
} // namespace

QuillaryApplication::QuillaryApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillary"));
    setApplicationDisplayName(QStringLiteral("Quillary"));
    // Lets the desktop match the windows to the installed entry and its icon.
    setDesktopFileName(QStringLiteral("org.quillary.Quillary"));
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
                                   "will terminate. Please report any repeatable program errors to Tech Support at "
                                   "%1 (Help, On the Web, Tech Support), with the steps that lead to them and the "
                                   "message shown before this one. Your data is kept: start Quillary again to go on.")
                        .arg(SupportAddress()));
    emit EndingAfterError();
    exit(1); // the orderly end: the data file is written after the loop returns
}

} // namespace quillary
