// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web_graphics.h"

#include "graphics/shipped_web_graphics.h"

#include <QFile>
#include <QtDebug>

namespace quillary {

QString InstallWebGraphics(const QString& workingDirectory)
{
    const std::string problem =
        InstallWebGraphics(std::filesystem::path(QFile::encodeName(workingDirectory).toStdString()));
    const QString message = QString::fromStdString(problem);
    if (!message.isEmpty())
        qWarning().noquote() << "Web Graphics:" << message;
    return message;
}

} // namespace quillary
