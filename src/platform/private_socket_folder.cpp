// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/private_socket_folder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace quillary {

namespace {

constexpr mode_t OthersBits = S_IRWXG | S_IRWXO;

// lstat, not stat: a link in the shared folder may point anywhere, even at a folder of ours.
bool OwnFolder(const QByteArray& path, struct stat& info)
{
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

bool IsPrivate(const QString& folder)
{
    struct stat info
    {
    };
    return OwnFolder(QFile::encodeName(folder), info) && (info.st_mode & OthersBits) == 0;
}

SocketFolderChoice Refused(const QString& folder, const QString& why)
{
    return {QString(), QStringLiteral("The folder %1 %2, so Quillary cannot make sure that only one copy of it "
                                      "runs. Remove that folder or set XDG_RUNTIME_DIR to a folder of your own.")
                           .arg(QDir::toNativeSeparators(folder), why)};
}

SocketFolderChoice SharedTemporaryFallback()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/quillary-") + QString::number(::geteuid());
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return Refused(folder, QStringLiteral("cannot be made (%1)").arg(QString::fromLocal8Bit(::strerror(errno))));
    struct stat info
    {
    };
    if (!OwnFolder(path, info))
        return Refused(folder, QStringLiteral("is not a folder of yours"));
    // The umask may have narrowed the new folder further, and an old one of ours may be wider.
    if ((info.st_mode & 07777) != S_IRWXU && ::chmod(path.constData(), S_IRWXU) != 0)
        return Refused(folder, QStringLiteral("is open to other users"));
    return {folder, QString()};
}

} // namespace

SocketFolderChoice PrivateSocketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivate(runtime))
        return {runtime, QString()};
    return SharedTemporaryFallback();
}

} // namespace quillary
