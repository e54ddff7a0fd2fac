// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_authorization.h"

#include <QByteArrayList>
#include <QCryptographicHash>
#include <QRandomGenerator>

namespace quillary {

namespace {
QCryptographicHash::Algorithm AlgorithmOf(const HttpChallenge& challenge)
{
    const QByteArray name = QByteArray::fromStdString(challenge.Parameter("algorithm")).toUpper();
    return name.startsWith("SHA-256") ? QCryptographicHash::Sha256 : QCryptographicHash::Md5;
}

// No qop (RFC 2069's Digest), or a list that offers "auth".
bool OffersAuth(const std::string& qop)
{
    if (qop.empty())
        return true;
    for (const QByteArray& each : QByteArray::fromStdString(qop).split(','))
        if (each.trimmed() == "auth")
            return true;
    return false;
}

bool CanAnswer(const HttpChallenge& challenge)
{
    if (challenge.scheme == "basic")
        return true;
    if (challenge.scheme != "digest" || challenge.Parameter("nonce").empty())
        return false;
    const QByteArray algorithm = QByteArray::fromStdString(challenge.Parameter("algorithm")).toUpper();
    const bool known = algorithm.isEmpty() || algorithm == "MD5" || algorithm == "MD5-SESS" || algorithm == "SHA-256" ||
                       algorithm == "SHA-256-SESS";
    return known && OffersAuth(challenge.Parameter("qop"));
}

// Digest with SHA-256 first, then Digest with MD5, then Basic.
int Strength(const HttpChallenge& challenge)
{
    if (challenge.scheme == "basic")
        return 1;
    return AlgorithmOf(challenge) == QCryptographicHash::Sha256 ? 3 : 2;
}

QByteArray Quoted(const QByteArray& text)
{
    QByteArray out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}
} // namespace

bool HttpAuthorization::Answer(const std::vector<HttpChallenge>& challenges, const DavCredentials& credentials)
{
    const HttpChallenge* best = nullptr;
    for (const HttpChallenge& challenge : challenges)
        if (CanAnswer(challenge) && (!best || Strength(challenge) > Strength(*best)))
            best = &challenge;
    if (!best || credentials.user.empty())
        return false;
    m_challenge = *best;
    m_credentials = credentials;
    m_uses = 0;
    return true;
}

QByteArray HttpAuthorization::For(const QByteArray& method, const QByteArray& target)
{
    if (m_challenge.scheme == "basic")
        return "Basic " + QByteArray::fromStdString(m_credentials.user + ":" + m_credentials.password).toBase64();
    if (m_challenge.scheme == "digest")
        return DigestFor(method, target);
    return {};
}

QByteArray HttpAuthorization::DigestFor(const QByteArray& method, const QByteArray& target)
{
    const QCryptographicHash::Algorithm algorithm = AlgorithmOf(m_challenge);
    const auto hash = [&](const QByteArray& text) { return QCryptographicHash::hash(text, algorithm).toHex(); };
    const QByteArray realm = QByteArray::fromStdString(m_challenge.Parameter("realm"));
    const QByteArray nonce = QByteArray::fromStdString(m_challenge.Parameter("nonce"));
    const QByteArray opaque = QByteArray::fromStdString(m_challenge.Parameter("opaque"));
    const QByteArray algorithmName = QByteArray::fromStdString(m_challenge.Parameter("algorithm"));
    const bool withQop = !m_challenge.Parameter("qop").empty();
    const QByteArray user = QByteArray::fromStdString(m_credentials.user);
    const QByteArray count = QByteArray::number(++m_uses, 16).rightJustified(8, '0');
    const QByteArray cnonce = QByteArray::number(QRandomGenerator::system()->generate64(), 16);
    QByteArray secret = hash(user + ':' + realm + ':' + QByteArray::fromStdString(m_credentials.password));
    if (algorithmName.toUpper().endsWith("-SESS"))
        secret = hash(secret + ':' + nonce + ':' + cnonce);
    const QByteArray request = hash(method + ':' + target);
    const QByteArray response = withQop ? hash(secret + ':' + nonce + ':' + count + ':' + cnonce + ":auth:" + request)
                                        : hash(secret + ':' + nonce + ':' + request);
    QByteArray field = "Digest username=" + Quoted(user) + ", realm=" + Quoted(realm) + ", nonce=" + Quoted(nonce) +
                       ", uri=" + Quoted(target) + ", response=" + Quoted(response);
    if (!algorithmName.isEmpty())
        field += ", algorithm=" + algorithmName;
    if (withQop)
        field += ", qop=auth, nc=" + count + ", cnonce=" + Quoted(cnonce);
    if (!opaque.isEmpty())
        field += ", opaque=" + Quoted(opaque);
    return field;
}

} // namespace quillary
