// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_shell.h"

#include "links/web_link.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

namespace quillary {

namespace {

bool IsProgram(const QString& file)
{
    const QFileInfo info(file);
    return info.isFile() && info.isExecutable();
}

// A bare program name ("xterm") is looked up on the search path, as the desktop's "open" would.
QString ProgramOnPath(const QString& file)
{
    if (file.contains(QLatin1Char('/')) || QFileInfo::exists(file))
        return QString();
    return QStandardPaths::findExecutable(file);
}

// A text with a scheme of two letters or more is an address; "C:" style drive prefixes and plain
// paths are local files.
QUrl UrlFor(const QString& file)
{
    const QUrl url(file, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().size() > 1 && !QFileInfo::exists(file))
        return url;
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
}

// Only addresses the browser or mail program should see, and local files, go to the desktop.
bool MayOpen(const QUrl& url, const std::string& text)
{
    return url.isLocalFile() || IsOpenableLink(text);
}

} // namespace

void QtShell::Open(const std::string& file, const std::string& parameters, const std::string& directory)
{
    QString name = QString::fromStdString(file);
    if (name.isEmpty())
        return;
    if (const QString found = ProgramOnPath(name); !found.isEmpty())
        name = found;
    if (IsProgram(name)) {
        // Launch failures are not reported to the user.
        QProcess::startDetached(name, QProcess::splitCommand(QString::fromStdString(parameters)),
                                QString::fromStdString(directory));
        return;
    }
    QDesktopServices::openUrl(UrlFor(name));
}

void QtShell::OpenDocument(const std::string& file)
{
    const QString name = QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
    if (name.isEmpty())
        return;
    const QUrl url = UrlFor(name);
    if (MayOpen(url, file))
        QDesktopServices::openUrl(url);
}

} // namespace quillary
