// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/http_response_reader.h"

#include "common/ascii_case.h"
#include "common/blank_trim.h"

#include <algorithm>
#include <charconv>

namespace quillary {

namespace {
constexpr std::size_t MaxChunkLineBytes = 1024;
constexpr std::size_t MaxTrailerBytes = 16 * 1024; // a line of the trailer

// Whether a comma-separated field such as Connection or Transfer-Encoding names the token.
bool NamesToken(std::string_view field, std::string_view token)
{
    while (!field.empty()) {
        const std::size_t comma = field.find(',');
        if (EqualsNoCase(TrimWhitespace(field.substr(0, comma)), token))
            return true;
        field = comma == std::string_view::npos ? std::string_view() : field.substr(comma + 1);
    }
    return false;
}

// The last coding of Transfer-Encoding: "gzip, chunked" ends in chunked.
bool EndsInChunked(std::string_view field)
{
    const std::size_t comma = field.rfind(',');
    return EqualsNoCase(TrimWhitespace(comma == std::string_view::npos ? field : field.substr(comma + 1)), "chunked");
}
} // namespace

std::string_view HttpHead::Field(std::string_view name) const
{
    for (const auto& [key, value] : fields)
        if (key == name)
            return value;
    return {};
}

std::vector<std::string_view> HttpHead::Fields(std::string_view name) const
{
    std::vector<std::string_view> found;
    for (const auto& [key, value] : fields)
        if (key == name)
            found.push_back(value);
    return found;
}

HttpResponseReader::HttpResponseReader(HttpResponseEvents& events, bool headRequest)
    : m_events(events), m_headRequest(headRequest)
{
}

void HttpResponseReader::Fail(std::string what)
{
    if (m_problem.empty())
        m_problem = std::move(what);
}

bool HttpResponseReader::Deliver(std::string_view bytes)
{
    if (!bytes.empty() && !m_events.Body(bytes))
        Fail("the reading of the answer was stopped");
    return !Failed();
}

std::size_t HttpResponseReader::ReadLine(std::string_view bytes, std::size_t limit)
{
    const std::size_t end = bytes.find('\n');
    const std::size_t taken = end == std::string_view::npos ? bytes.size() : end + 1;
    m_line.append(bytes.substr(0, taken));
    if (m_line.size() > limit)
        Fail("the answer's framing holds a line of more than " + std::to_string(limit) + " bytes");
    return taken;
}

std::size_t HttpResponseReader::ReadHeadBytes(std::string_view bytes)
{
    const std::size_t before = m_line.size();
    m_line.append(bytes);
    const std::size_t from = before >= 3 ? before - 3 : 0;
    std::size_t end = m_line.find("\r\n\r\n", from);
    std::size_t length = 4;
    if (const std::size_t bare = m_line.find("\n\n", from); bare != std::string::npos && bare < end) {
        end = bare;
        length = 2;
    }
    if (end == std::string::npos) {
        if (m_line.size() > MaxHeadBytes)
            Fail("the answer's head is longer than 64 KiB");
        return bytes.size();
    }
    const std::size_t consumed = end + length - before;
    m_line.resize(end);
    if (!ParseHead())
        return consumed;
    m_line.clear();
    // An informational answer (100 Continue) comes before the real one.
    if (m_head.status >= 100 && m_head.status < 200) {
        m_head = {};
        return consumed;
    }
    StartBody();
    return consumed;
}

bool HttpResponseReader::ParseHead()
{
    std::string_view text = m_line;
    const std::size_t lineEnd = text.find('\n');
    const std::string_view status = TrimWhitespace(text.substr(0, lineEnd));
    text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
    // "HTTP/1.1 200 OK"
    if (!status.starts_with("HTTP/1.") || status.size() < 12 || status[8] != ' ') {
        Fail("the server's answer is not HTTP");
        return false;
    }
    m_head.http10 = status[7] == '0';
    const auto [end, error] = std::from_chars(status.data() + 9, status.data() + 12, m_head.status);
    if (error != std::errc() || end != status.data() + 12 || m_head.status < 100 || m_head.status > 999) {
        Fail("the server's answer has no status");
        return false;
    }
    m_head.reason = std::string(TrimWhitespace(status.substr(12)));
    while (!text.empty()) {
        const std::size_t next = text.find('\n');
        const std::string_view line = text.substr(0, next);
        text = next == std::string_view::npos ? std::string_view() : text.substr(next + 1);
        if ((line.front() == ' ' || line.front() == '\t') && !m_head.fields.empty()) {
            m_head.fields.back().second.append(" ").append(TrimWhitespace(line)); // an obsolete folded line
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == 0 || colon == std::string_view::npos) {
            Fail("the server's answer holds a header line that is no field");
            return false;
        }
        m_head.fields.emplace_back(LowerAscii(TrimWhitespace(line.substr(0, colon))), std::string(TrimWhitespace(line.substr(colon + 1))));
    }
    return true;
}

void HttpResponseReader::StartBody()
{
    m_headRead = true;
    m_events.Head(m_head);
    const int status = m_head.status;
    if (m_headRequest || status == 204 || status == 304) {
        m_state = State::Done;
        return;
    }
    if (const std::string_view coding = m_head.Field("transfer-encoding"); !coding.empty()) {
        m_state = EndsInChunked(coding) ? State::ChunkSize : State::UntilClose;
        m_untilClose = m_state == State::UntilClose;
        return;
    }
    const std::vector<std::string_view> lengths = m_head.Fields("content-length");
    if (lengths.empty()) {
        m_state = State::UntilClose;
        m_untilClose = true;
        return;
    }
    for (const std::string_view length : lengths) {
        unsigned long long value = 0;
        const auto [end, error] = std::from_chars(length.data(), length.data() + length.size(), value);
        if (length.empty() || error != std::errc() || end != length.data() + length.size() ||
            (length != lengths.front())) {
            Fail("the server's answer has no valid Content-Length");
            return;
        }
        m_remaining = value;
    }
    m_state = m_remaining == 0 ? State::Done : State::Length;
}

bool HttpResponseReader::Feed(std::string_view bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size() && !Failed()) {
        const std::string_view rest = bytes.substr(pos);
        switch (m_state) {
        case State::Head:
            pos += ReadHeadBytes(rest);
            break;
        case State::Length:
        case State::ChunkData: {
            const std::size_t taken = static_cast<std::size_t>(std::min<unsigned long long>(m_remaining, rest.size()));
            if (!Deliver(rest.substr(0, taken)))
                return false;
            pos += taken;
            m_remaining -= taken;
            if (m_remaining == 0)
                m_state = m_state == State::Length ? State::Done : State::ChunkEnd;
            break;
        }
        case State::ChunkSize: {
            pos += ReadLine(rest, MaxChunkLineBytes);
            if (Failed() || !m_line.ends_with('\n'))
                break;
            const std::string_view size = TrimWhitespace(std::string_view(m_line).substr(0, m_line.find_first_of(";\n")));
            const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), m_remaining, 16);
            if (size.empty() || error != std::errc() || end != size.data() + size.size()) {
                Fail("the server's answer has a chunk of no size");
                break;
            }
            m_line.clear();
            m_state = m_remaining == 0 ? State::Trailer : State::ChunkData;
            break;
        }
        case State::ChunkEnd:
            pos += ReadLine(rest, MaxChunkLineBytes);
            if (!Failed() && m_line.ends_with('\n')) {
                if (!TrimWhitespace(m_line.substr(0, m_line.size() - 1)).empty())
                    Fail("the server's answer has a chunk longer than it said");
                m_line.clear();
                m_state = State::ChunkSize;
            }
            break;
        case State::Trailer:
            pos += ReadLine(rest, MaxTrailerBytes);
            if (Failed() || !m_line.ends_with('\n'))
                break;
            if (TrimWhitespace(std::string_view(m_line).substr(0, m_line.size() - 1)).empty())
                m_state = State::Done;
            m_line.clear();
            break;
        case State::UntilClose:
            if (!Deliver(rest))
                return false;
            pos = bytes.size();
            break;
        case State::Done:
            m_surplus = true;
            return true;
        }
    }
    return !Failed();
}

void HttpResponseReader::ConnectionClosed()
{
    if (m_state == State::UntilClose)
        m_state = State::Done;
    else if (m_state == State::Head && m_line.empty() && !m_headRead)
        Fail("the server closed the connection without an answer");
    else if (m_state != State::Done)
        Fail("the server closed the connection in the middle of its answer");
}

bool HttpResponseReader::KeepsConnection() const
{
    if (m_state != State::Done || m_surplus || m_untilClose)
        return false;
    const std::string_view connection = m_head.Field("connection");
    return m_head.http10 ? NamesToken(connection, "keep-alive") : !NamesToken(connection, "close");
}

} // namespace quillary
