// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/file_iterator.h"

#include "common/file_error.h"

#include <algorithm>
#include <vector>

namespace quillary {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view BusyMessage = "Iterator is not available at the moment. Please call later, but do call";
constexpr std::string_view ChangeMessage = "Cannot change options on fly. Try later";

TFileInfo DetailsOf(const fs::directory_entry& entry, const std::string& name)
{
    std::error_code error;
    TFileInfo info;
    info.size = entry.file_size(error);
    if (error)
        info.size = 0;
    info.time = entry.last_write_time(error);
    info.readOnly = (entry.status(error).permissions() & fs::perms::owner_write) == fs::perms::none;
    info.hidden = name.starts_with('.');
    return info;
}

// The folder's entries in name order; none when it cannot be listed (error then tells why).
std::vector<fs::directory_entry> SortedEntries(const fs::path& folder, std::error_code& error)
{
    std::vector<fs::directory_entry> entries;
    fs::directory_iterator it(folder, error);
    if (error)
        return entries;
    std::error_code stepError;
    for (const fs::directory_iterator end; !stepError && it != end; it.increment(stepError))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    return entries;
}

// Sets running for the time of a walk, and clears it however the walk ends.
class RunningScope
{
public:
    explicit RunningScope(bool& running) : m_running(running) { m_running = true; }
    ~RunningScope() { m_running = false; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    bool& m_running;
};

} // namespace

void TFileIterator::CheckIdle(std::string_view message) const
{
    if (m_running)
        throw EFileIteratorError(std::string(message));
}

void TFileIterator::SetOptions(TFileIteratorOptions options)
{
    CheckIdle(ChangeMessage);
    m_options = options;
}

void TFileIterator::SetRootFolder(std::string_view folder)
{
    CheckIdle(ChangeMessage);
    m_rootFolder = folder;
}

void TFileIterator::Execute()
{
    CheckIdle(BusyMessage);
    if (!OnAddFile && !OnAddFileQuery)
        return;
    RunningScope running(m_running);
    m_skippedFolders = 0;
    if (OnActivate)
        OnActivate(*this);
    try {
        Walk(m_rootFolder, true);
    } catch (...) {
        if (OnTerminate)
            OnTerminate(*this);
        throw;
    }
    if (OnTerminate)
        OnTerminate(*this);
}

void TFileIterator::Walk(std::string folder, bool isRoot)
{
    if (folder.ends_with('/'))
        folder.pop_back();
    const fs::path listed = folder.empty() ? fs::path("/") : fs::path(folder);
    std::error_code error;
    const std::vector<fs::directory_entry> entries = SortedEntries(listed, error);
    if (error) {
        if (isRoot)
            throw FileError(listed, error.message());
        ++m_skippedFolders;
        return;
    }
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        std::error_code statusError;
        const bool isLink = entry.is_symlink(statusError);
        if (entry.is_directory(statusError)) {
            if (!isLink && !name.starts_with('.') && (m_options & fiRecurseFolders))
                Walk(folder + "/" + name, false);
        } else if (entry.is_regular_file(statusError)) {
            Report(folder, entry);
        }
    }
}

void TFileIterator::Report(const std::string& folder, const fs::directory_entry& entry)
{
    const std::string name = entry.path().filename().string();
    const TFileInfo info = (m_options & fiDetails) ? DetailsOf(entry, name) : TFileInfo{};
    const std::string reported = (m_options & fiPath) ? folder + "/" + name : name;
    bool canAdd = true;
    if (OnAddFileQuery)
        OnAddFileQuery(*this, reported, info, canAdd);
    if (canAdd && OnAddFile)
        OnAddFile(*this, reported, info);
}

} // namespace quillary
