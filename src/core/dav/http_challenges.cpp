// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/http_challenges.h"

#include "common/ascii_case.h"

namespace quillary {

namespace {
constexpr std::size_t MaxChallengesPerField = 16;

bool IsTokenByte(char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

class ChallengeReader
{
public:
    explicit ChallengeReader(std::string_view text) : m_text(text) {}

    void Read(std::vector<HttpChallenge>& out)
    {
        for (std::size_t read = 0; read < MaxChallengesPerField; ++read) {
            SkipBlanksAndCommas();
            std::string scheme = Token();
            if (scheme.empty())
                return;
            HttpChallenge challenge{LowerAscii(scheme), {}};
            ReadParameters(challenge);
            out.push_back(std::move(challenge));
        }
    }

private:
    void SkipBlanks()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
    }
    void SkipBlanksAndCommas()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == ','))
            ++m_pos;
    }
    std::string Token()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && IsTokenByte(m_text[m_pos]))
            ++m_pos;
        return std::string(m_text.substr(start, m_pos - start));
    }
    std::string Quoted()
    {
        std::string value;
        for (++m_pos; m_pos < m_text.size() && m_text[m_pos] != '"'; ++m_pos) {
            if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size())
                ++m_pos;
            value += m_text[m_pos];
        }
        ++m_pos;
        return value;
    }
    // "name=value, name="value"" until the next scheme: a token with no "=" after it.
    void ReadParameters(HttpChallenge& challenge)
    {
        for (;;) {
            SkipBlanksAndCommas();
            const std::size_t start = m_pos;
            const std::string name = Token();
            SkipBlanks();
            if (name.empty() || m_pos >= m_text.size() || m_text[m_pos] != '=') {
                m_pos = start;
                return;
            }
            ++m_pos;
            SkipBlanks();
            std::string value = m_pos < m_text.size() && m_text[m_pos] == '"' ? Quoted() : Token();
            challenge.parameters[LowerAscii(name)] = std::move(value);
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};
} // namespace

std::string HttpChallenge::Parameter(const std::string& name) const
{
    const auto it = parameters.find(name);
    return it == parameters.end() ? std::string() : it->second;
}

std::vector<HttpChallenge> ParseChallenges(const std::vector<std::string_view>& fields)
{
    std::vector<HttpChallenge> challenges;
    for (const std::string_view field : fields)
        ChallengeReader(field).Read(challenges);
    return challenges;
}

} // namespace quillary
