// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_report.h"

#include <algorithm>

namespace quillary {

namespace {
std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string Counts(int made, int changed, int deleted)
{
    return std::to_string(made) + " new, " + std::to_string(changed) + " changed, " + std::to_string(deleted) +
           " deleted";
}
} // namespace

void SyncReport::Wait(const std::string& name)
{
    if (std::find(waiting.begin(), waiting.end(), name) == waiting.end())
        waiting.push_back(name);
}

std::string SyncReport::SummaryLine() const
{
    std::string line = "server: " + Counts(serverNew, serverChanged, serverDeleted) +
                       "; here: " + Counts(hereNew, hereChanged, hereDeleted);
    if (!conflicts.empty())
        line += "; " + std::to_string(conflicts.size()) + (conflicts.size() == 1 ? " conflict" : " conflicts") +
                " kept both: " + Joined(conflicts);
    if (!leftForNextRun.empty())
        line += "; left for the next run: " + Joined(leftForNextRun);
    if (!waiting.empty())
        line += "; waiting while open for editing: " + Joined(waiting);
    if (!refused.empty())
        line += "; not taken from the server: " + Joined(refused);
    if (!newCategories.empty())
        line += "; new categories: " + Joined(newCategories);
    if (!noSlot.empty())
        line += "; no free category for: " + Joined(noSlot) + " (kept on the server only)";
    return line;
}

} // namespace quillary
