// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillary {

// The status line and header fields of an HTTP response. Names are kept in lower case.
struct HttpHead
{
    int status = 0;
    std::string reason;
    bool http10 = false;
    std::vector<std::pair<std::string, std::string>> fields;

    // The first field of that name (lower case), or empty text.
    std::string_view Field(std::string_view name) const;
    // Every field of that name, in order (WWW-Authenticate may come several times).
    std::vector<std::string_view> Fields(std::string_view name) const;
};

// What a response brings, as it is read.
class HttpResponseEvents
{
public:
    virtual ~HttpResponseEvents() = default;
    // The head of the final response (informational 1xx ones are passed over).
    virtual void Head(const HttpHead& head) = 0;
    // A piece of the body, its framing (length or chunks) undone. False stops the reading.
    virtual bool Body(std::string_view bytes) = 0;
};

// Reads one HTTP/1.1 response from the bytes of its connection as they arrive, holding no more
// than its head: the body goes on in pieces, whatever its length. The head is bounded, the body
// framed by Content-Length, by chunks, or by the end of the connection, as RFC 9112 has it.
class HttpResponseReader
{
public:
    static constexpr std::size_t MaxHeadBytes = 64 * 1024;

    // headRequest: the response to a HEAD, which has no body whatever its fields say.
    explicit HttpResponseReader(HttpResponseEvents& events, bool headRequest = false);

    // Reads on; false once the response is found broken (Problem says why) or a handler
    // stopped it. Bytes after the end of the response are not read (Surplus tells).
    bool Feed(std::string_view bytes);
    // The connection has closed: completes a body that runs to the end of the connection.
    void ConnectionClosed();

    bool Complete() const { return m_state == State::Done; }
    bool HeadRead() const { return m_headRead; }
    bool Failed() const { return !m_problem.empty(); }
    const std::string& Problem() const { return m_problem; }
    // The connection may carry the next request once this response is complete.
    bool KeepsConnection() const;
    // The server sent bytes beyond the end of the response.
    bool Surplus() const { return m_surplus; }

private:
    enum class State { Head, Length, ChunkSize, ChunkData, ChunkEnd, Trailer, UntilClose, Done };

    void Fail(std::string what);
    std::size_t ReadHeadBytes(std::string_view bytes);
    void StartBody();
    bool ParseHead();
    std::size_t ReadLine(std::string_view bytes, std::size_t limit);
    bool Deliver(std::string_view bytes);

    HttpResponseEvents& m_events;
    bool m_headRequest;
    State m_state = State::Head;
    std::string m_line; // the head, or a chunk's size line, being gathered
    HttpHead m_head;
    bool m_headRead = false;
    unsigned long long m_remaining = 0; // of the body, or of the chunk
    std::string m_problem;
    bool m_surplus = false;
    bool m_untilClose = false; // the body runs to the end of the connection
};

} // namespace quillary
