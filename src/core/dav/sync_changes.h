// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"

#include <cstddef>
#include <string>
#include <unordered_map>

namespace quillary {

// The members a sync-collection report names, gathered over the rounds of a server that
// truncates its answer (507) and hands out a token for the rest. A member named again ends as it
// was last named. Each round must bring something new, and once the answer has been truncated
// the members may not outgrow what the book can hold: twice the cards known from the last run
// and a margin.
class SyncChanges
{
public:
    static constexpr std::size_t Margin = 10000;
    static constexpr std::size_t MaxRounds = 1000;

    explicit SyncChanges(std::size_t knownCards);

    void BeginRound();
    void Changed(std::string href, std::string etag);
    void Removed(std::string href);
    // Why the report cannot be read on, or empty text.
    std::string Problem() const;
    // The changes outgrew the book: a full listing tells the truth at less cost.
    bool Outgrown() const;
    // After a round the server truncated: empty text when it brought a member or a state not
    // known before, else why the run must stop.
    std::string AfterTruncatedRound();
    // What the rounds found, in the order the members were last named, with the last token.
    DavChanges Take(std::string syncToken);

private:
    struct Entry
    {
        std::string etag;
        bool removed = false;
        std::size_t named = 0; // when it was last named
    };
    void Note(std::string href, std::string etag, bool removed);

    std::size_t m_limit;
    std::unordered_map<std::string, Entry> m_entries;
    std::size_t m_named = 0;
    std::size_t m_rounds = 0;
    bool m_roundBroughtNews = false;
};

} // namespace quillary
