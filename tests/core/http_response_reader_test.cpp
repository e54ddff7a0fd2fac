// SPDX-License-Identifier: GPL-3.0-or-later
// HTTP/1.1 answers however their framing comes and however the network cuts them, and the
// challenges of WWW-Authenticate.
#include "dav/http_challenges.h"
#include "dav/http_response_reader.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillary;

namespace {
struct Answer final : HttpResponseEvents
{
    void Head(const HttpHead& head) override
    {
        status = head.status;
        etag = std::string(head.Field("etag"));
    }
    bool Body(std::string_view bytes) override
    {
        body += bytes;
        largest = std::max(largest, bytes.size());
        return true;
    }
    int status = 0;
    std::string etag;
    std::string body;
    std::size_t largest = 0;
};

struct Read
{
    Answer answer;
    bool complete = false;
    bool keeps = false;
    std::string problem;
};

// The answer fed in pieces of the given size, the connection closed after it when asked.
Read ReadAnswer(std::string_view bytes, std::size_t piece, bool close)
{
    Read read;
    HttpResponseReader reader(read.answer);
    for (std::size_t at = 0; at < bytes.size() && !reader.Failed(); at += piece)
        reader.Feed(bytes.substr(at, piece));
    if (close && !reader.Failed())
        reader.ConnectionClosed();
    read.complete = reader.Complete();
    read.keeps = reader.KeepsConnection();
    read.problem = reader.Problem();
    return read;
}
} // namespace

TEST(HttpResponseReader, EveryFramingGivesTheSameBodyInPiecesOfAnySize)
{
    const std::string body = "<d:multistatus>\r\n  chunks, lengths and the end of the connection\r\n</d:multistatus>";
    std::string chunked = "HTTP/1.1 207 Multi-Status\r\nTransfer-Encoding: gzip, chunked\r\nETag: \"e1\"\r\n\r\n";
    for (std::size_t at = 0; at < body.size(); at += 7) {
        const std::string part = body.substr(at, 7); // under ten bytes: its size in hex is its size
        chunked += std::to_string(part.size()) + ";ext=1\r\n" + part + "\r\n";
    }
    chunked += "0\r\nX-Trailer: 1\r\n\r\n";
    const std::pair<std::string, bool> answers[] = {
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 207 Multi-Status\r\nContent-Length: " + std::to_string(body.size()) +
             "\r\nETag: \"e1\"\r\n\r\n" + body,
         true},
        {chunked, true},
        {"HTTP/1.1 207 Multi-Status\nETag: \"e1\"\nConnection: close\n\n" + body, false},
        {"HTTP/1.0 207 Multi-Status\r\nETag:  \"e1\" \r\nContent-Length: " + std::to_string(body.size()) +
             "\r\nConnection: keep-alive\r\n\r\n" + body,
         true},
    };
    for (const auto& [bytes, keeps] : answers)
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{5}, std::size_t{64}, bytes.size()}) {
            const Read read = ReadAnswer(bytes, piece, !keeps);
            ASSERT_EQ(read.problem, "") << bytes;
            EXPECT_TRUE(read.complete) << bytes;
            EXPECT_EQ(read.keeps, keeps) << bytes;
            EXPECT_EQ(read.answer.status, 207);
            EXPECT_EQ(read.answer.etag, "\"e1\"");
            EXPECT_EQ(read.answer.body, body) << "pieces of " << piece << "\n" << bytes;
        }
    const Read empty = ReadAnswer("HTTP/1.1 204 No Content\r\nETag: \"n\"\r\n\r\n", 3, false);
    EXPECT_TRUE(empty.complete && empty.keeps && empty.answer.body.empty());
}

TEST(HttpResponseReader, ABodyGoesOnInPiecesAndNothingBeyondTheAnswerIsRead)
{
    // 32 MiB announced: the reader holds none of it, each piece goes on as it came.
    std::mt19937 random(7);
    Answer answer;
    HttpResponseReader reader(answer);
    ASSERT_TRUE(reader.Feed("HTTP/1.1 200 OK\r\nContent-Length: 33554432\r\n\r\n"));
    const std::string piece(1 << 16, 'x');
    for (int i = 0; i < 512; ++i)
        ASSERT_TRUE(reader.Feed(std::string_view(piece).substr(0, piece.size())));
    EXPECT_TRUE(reader.Complete());
    EXPECT_EQ(answer.body.size(), 32U << 20);
    EXPECT_EQ(answer.largest, piece.size());
    reader.Feed("HTTP/1.1 200 OK\r\n");
    EXPECT_TRUE(reader.Surplus());
    EXPECT_FALSE(reader.KeepsConnection());
}

TEST(HttpResponseReader, BrokenAnswersAreRefusedWithTheReason)
{
    const std::pair<std::string, const char*> broken[] = {
        {"SSH-2.0-OpenSSH\r\n\r\n", "not HTTP"},
        {"HTTP/1.1 2x7 Odd\r\n\r\n", "no status"},
        {"HTTP/1.1 207 Multi\r\nno colon here\r\n\r\n", "no field"},
        {"HTTP/1.1 207 Multi\r\nContent-Length: 5x\r\n\r\n", "no valid Content-Length"},
        {"HTTP/1.1 207 Multi\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n", "no valid Content-Length"},
        {"HTTP/1.1 207 Multi\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", "chunk of no size"},
        {"HTTP/1.1 207 Multi\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n", "chunk longer than it said"},
        {"HTTP/1.1 207 Multi\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(2000, '1'), "more than 1024 bytes"},
        {"HTTP/1.1 207 Multi\r\nX: " + std::string(HttpResponseReader::MaxHeadBytes, 'h'), "head is longer than 64 KiB"},
        {"HTTP/1.1 207 Multi\r\nContent-Length: 10\r\n\r\nshort", "closed the connection in the middle"},
        {"", "closed the connection without an answer"},
    };
    for (const auto& [bytes, reason] : broken) {
        const Read read = ReadAnswer(bytes, 3, true);
        EXPECT_FALSE(read.complete) << bytes.substr(0, 80);
        EXPECT_NE(read.problem.find(reason), std::string::npos) << bytes.substr(0, 80) << "\n" << read.problem;
    }
}

TEST(HttpChallenges, OneFieldMayHoldSeveralChallengesInAnyStyle)
{
    const std::vector<HttpChallenge> challenges = ParseChallenges(
        {"Digest realm=\"dav \\\"x\\\"\", nonce=abc, qop=\"auth,auth-int\", algorithm=SHA-256, Basic realm=\"dav\"",
         "  Negotiate", "basic Realm=other"});
    ASSERT_EQ(challenges.size(), 4U);
    EXPECT_EQ(challenges[0].scheme, "digest");
    EXPECT_EQ(challenges[0].Parameter("realm"), "dav \"x\"");
    EXPECT_EQ(challenges[0].Parameter("nonce"), "abc");
    EXPECT_EQ(challenges[0].Parameter("qop"), "auth,auth-int");
    EXPECT_EQ(challenges[0].Parameter("algorithm"), "SHA-256");
    EXPECT_EQ(challenges[1].scheme, "basic");
    EXPECT_EQ(challenges[1].Parameter("realm"), "dav");
    EXPECT_EQ(challenges[2].scheme, "negotiate");
    EXPECT_TRUE(challenges[2].parameters.empty());
    EXPECT_EQ(challenges[3].Parameter("realm"), "other");
    EXPECT_TRUE(ParseChallenges({"", ",,,", "\"quoted\""}).empty());
}
