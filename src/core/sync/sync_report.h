// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"

#include <string>
#include <vector>

namespace quillary {

// What a run did (or, dry, would do), for the summary line and the messages around it.
struct SyncReport
{
    // Stopped: asked to stop between batches; what was done is kept and the next run goes on.
    enum class Outcome { Done, MassDeleteRefused, Failed, Stopped };
    Outcome outcome = Outcome::Done;
    int serverNew = 0, serverChanged = 0, serverDeleted = 0;
    int hereNew = 0, hereChanged = 0, hereDeleted = 0;
    std::vector<std::string> conflicts;      // contacts where both values were kept
    std::vector<std::string> leftForNextRun; // contacts another client kept changing during the run
    std::vector<std::string> waiting;        // contacts open for editing, whose changes wait for the next run
    std::vector<std::string> refused;        // the server's cards not taken, as "name (why)"
    std::vector<std::string> newCategories;  // names the server brought, given free slots
    std::vector<std::string> noSlot;         // names the server brought that found no free slot
    std::vector<std::string> deletesHere;    // with MassDeleteRefused: what would have gone
    std::vector<std::string> deletesThere;
    DavStatus failure;

    // Notes a contact open for editing (once, however many of its steps wait).
    void Wait(const std::string& name);

    // "server: 3 new, 2 changed, 1 deleted; here: 12 new, 0 changed, 0 deleted; 1 conflict kept
    // both: Jane Doe", and the contacts left for the next run, waiting or refused, and the new
    // categories and those that found no free slot, when there are any.
    std::string SummaryLine() const;
};

} // namespace quillary
