// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_telephony.h"

#include "actions/action_prompts.h"
#include "common/tel_uri.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillary {

namespace {
constexpr int NoNumber = -2;
constexpr int NoHandler = -1;
} // namespace

int DesktopTelephony::RequestMakeCall(const std::string& number, const std::string&, const std::string&,
                                      const std::string&)
{
    const std::optional<DialString> dial = ReadDialString(number);
    if (!dial) {
        m_prompts.ShowError(UndialableMessage(number));
        return NoNumber;
    }
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(TelUri(*dial)), QUrl::StrictMode);
    return QDesktopServices::openUrl(url) ? 0 : NoHandler;
}

} // namespace quillary
