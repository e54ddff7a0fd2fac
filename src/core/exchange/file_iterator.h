// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillary {

// Raised when a walk is started or reconfigured while one is running.
class EFileIteratorError : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

enum TFileIteratorOption : unsigned {
    fiPath = 1,           // report full paths rather than bare names
    fiDetails = 2,        // fill the file details
    fiRecurseFolders = 4, // descend into sub-folders
};
using TFileIteratorOptions = unsigned;

struct TFileInfo
{
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool directory = false;
    bool readOnly = false; // the owner may not write it
    bool hidden = false;   // the name begins with "."
};

// Walks a folder depth first and reports every file in it. Entries are taken in name order, so
// an import made twice from the same folder comes out the same. Sub-folders whose names begin
// with "." are not entered, nor are links to folders (a link may lead back up and never end);
// only regular files, links to them included, are reported. A sub-folder that cannot be read is
// passed over and counted; the root folder itself must be readable.
class TFileIterator
{
public:
    using AddFileEvent = std::function<void(TFileIterator& sender, const std::string& fileName, const TFileInfo& info)>;
    using AddFileQueryEvent =
        std::function<void(TFileIterator& sender, const std::string& fileName, const TFileInfo& info, bool& canAdd)>;
    using NotifyEvent = std::function<void(TFileIterator& sender)>;

    TFileIteratorOptions Options() const { return m_options; }
    void SetOptions(TFileIteratorOptions options); // throws EFileIteratorError while running
    const std::string& RootFolder() const { return m_rootFolder; }
    void SetRootFolder(std::string_view folder); // throws EFileIteratorError while running
    bool Running() const { return m_running; }
    // Sub-folders of the last walk that could not be read.
    int SkippedFolders() const { return m_skippedFolders; }

    // Walks RootFolder, firing OnActivate before and OnTerminate after (also when the walk fails,
    // before the error passes on). Does nothing when neither file event is set. Throws
    // EFileIteratorError when a walk is running and FileError when the root cannot be read.
    void Execute();

    AddFileEvent OnAddFile;
    AddFileQueryEvent OnAddFileQuery; // may clear canAdd to keep OnAddFile from the file
    NotifyEvent OnActivate;
    NotifyEvent OnTerminate;

private:
    void Walk(std::string folder, bool isRoot);
    void Report(const std::string& folder, const std::filesystem::directory_entry& entry);
    void CheckIdle(std::string_view message) const;

    TFileIteratorOptions m_options = fiPath | fiDetails | fiRecurseFolders;
    std::string m_rootFolder = "/";
    bool m_running = false;
    int m_skippedFolders = 0;
};

} // namespace quillary
