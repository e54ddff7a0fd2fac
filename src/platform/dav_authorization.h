// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/dav/http_challenges.h"
#include "platform/dav_credentials.h"

#include <QByteArray>

#include <vector>

namespace quillary {

// The Authorization field that answers a server's challenge with the user's credentials: Digest
// (RFC 7616, SHA-256 or MD5, qop "auth") where the server offers it, else Basic. Once answered,
// the same answer goes ahead of later requests to that server, so that each request is not
// refused first (a Digest answer counts its uses).
class HttpAuthorization
{
public:
    // Takes the strongest challenge this program can answer; false when there is none.
    bool Answer(const std::vector<HttpChallenge>& challenges, const DavCredentials& credentials);
    // The field for a request, or empty when nothing was answered.
    QByteArray For(const QByteArray& method, const QByteArray& target);
    void Clear() { m_challenge = {}; }
    bool Digest() const { return m_challenge.scheme == "digest"; }

private:
    QByteArray DigestFor(const QByteArray& method, const QByteArray& target);

    HttpChallenge m_challenge;
    DavCredentials m_credentials;
    unsigned m_uses = 0;
};

} // namespace quillary
