// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_telephony.h"

#include "actions/dial_number.h"

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
    const std::string dialable = DialableNumber(number);
    if (dialable.empty())
        return NoNumber;
    QUrl url;
    url.setScheme(QStringLiteral("tel"));
    // Decoded mode: "#" becomes %23 instead of starting a fragment.
    url.setPath(QString::fromLatin1(dialable), QUrl::DecodedMode);
    return QDesktopServices::openUrl(url) ? 0 : NoHandler;
}

} // namespace quillary
