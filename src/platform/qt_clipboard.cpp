// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quillary {

namespace {
// The text is followed by a zero byte, as the format has always carried it.
QByteArray WithTerminator(const std::string& text)
{
    QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    bytes.append('\0');
    return bytes;
}
} // namespace

QString QtClipboard::PrivateFormat()
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"TARNWELLS\"");
}

void QtClipboard::SetItemRecord(const std::string& record, const std::string& plainText)
{
    auto* data = new QMimeData;
    data->setData(PrivateFormat(), WithTerminator(record));
    data->setText(QString::fromUtf8(plainText.data(), static_cast<qsizetype>(plainText.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtClipboard::SetRecords(const std::string& records)
{
    auto* data = new QMimeData;
    data->setData(PrivateFormat(), WithTerminator(records));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> QtClipboard::Records()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(PrivateFormat()))
        return std::nullopt;
    const QByteArray bytes = data->data(PrivateFormat());
    const qsizetype end = bytes.indexOf('\0');
    return std::string(bytes.constData(), static_cast<std::size_t>(end < 0 ? bytes.size() : end));
}

} // namespace quillary
