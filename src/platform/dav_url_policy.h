// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace quillary {

// Names and addresses that never leave this machine: "localhost", 127.0.0.0/8 and ::1.
bool IsLoopbackHost(const QString& host);

// Passwords and cards go out only over TLS, or in plain http to this machine, or where the user
// said plain http is fine. Other schemes are never requested.
bool RequestAllowed(const QUrl& url, bool allowInsecure);

// A redirect may lead to https anywhere, or stay on the same plain-http host; it never turns
// https into http.
bool RedirectAllowed(const QUrl& from, const QUrl& to, bool allowInsecure);

// "scheme://host:port" with the scheme's own port when none is written: whom credentials are for.
QString UrlOrigin(const QUrl& url);

// The URL as messages show it: no user name or password.
QString UrlForMessages(const QUrl& url);

} // namespace quillary
