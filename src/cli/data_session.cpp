// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_session.h"

#include "cli_commands.h"
#include "kept_trees.h"
#include "common/file_error.h"
#include "common/private_folders.h"
#include "common/temporary_file.h"
#include "model/data_file.h"
#include "model/data_file_read.h"
#include "model/node_path.h"
#include "places/app_places.h"

namespace quillary::cli {

namespace fs = std::filesystem;

fs::path WorkingDirectoryOf(const CliOptions&)
{
    return DataFolder();
}

fs::path DataFileOf(const CliOptions& options)
{
    if (const auto file = options.Value("--data"))
        return *file;
    return WorkingDirectoryOf(options) / DataFileName;
}

DataSession::DataSession(fs::path file, std::optional<RunLock> lock)
    : m_file(std::move(file)), m_lock(std::move(lock)), m_tree(std::make_unique<ItemTree>())
{
}

DataSession::~DataSession()
{
    KeepToExit(std::move(m_tree));
}

std::optional<DataSession> DataSession::Open(const CliOptions& options, Access access, std::ostream& err, int& status)
{
    const fs::path file = DataFileOf(options);
    std::optional<RunLock> lock;
    status = ExitFileError;
    try {
        // The program's own folder is made as the program makes it, private.
        if (access == Access::Change && !options.Value("--data"))
            CreatePrivateFolders(WorkingDirectoryOf(options));
        if (access == Access::Change && !(lock = RunLock::TryAcquire(file))) {
            err << "quillary-cli: Quillary is running on " << file.string()
                << "; close it first (or use its own Import and Publish commands)\n";
            status = ExitRunning;
            return std::nullopt;
        }
        // With the lock held no save can be under way: what a killed one left goes.
        if (access == Access::Change)
            RemoveStaleTemporaries(file);
        DataSession session(file, std::move(lock));
        // Only a data file that is not there yet starts empty, when it is to be changed. One that is
        // there but cannot be read is never written over.
        const DataFileRead read = LoadWholeDataFile(session.Tree().Root(), file);
        if (read.state == DataFileState::Unreadable) {
            err << "quillary-cli: " << read.problem << "\n";
            return std::nullopt;
        }
        if (read.state == DataFileState::Missing && access == Access::Read) {
            err << "quillary-cli: cannot read " << file.string() << ": there is no such file\n";
            return std::nullopt;
        }
        status = ExitOk;
        return session;
    } catch (const FileError& error) {
        err << "quillary-cli: " << error.what() << "\n";
        return std::nullopt;
    }
}

TreeNode* DataSession::NodeOption(const CliOptions& options, const std::string& name, std::ostream& err)
{
    const auto path = options.Value(name);
    if (!path)
        return &m_tree->Root();
    TreeNode* node = FindNodeByPath(m_tree->Root(), *path);
    if (!node)
        err << "quillary-cli: no item at " << *path << " (paths start with \"" << m_tree->Root().Text() << "\")\n";
    return node;
}

std::optional<DataSession::AtNode> DataSession::OpenAtNode(const CliOptions& options, Access access,
                                                           const std::string& nodeOption, std::ostream& err,
                                                           int& status)
{
    auto session = Open(options, access, err, status);
    if (!session)
        return std::nullopt;
    TreeNode* node = session->NodeOption(options, nodeOption, err);
    if (!node) {
        status = ExitUsage;
        return std::nullopt;
    }
    return AtNode{std::move(*session), node};
}

bool DataSession::Save(std::ostream& err)
{
    try {
        SaveDataFile(*m_tree, m_file);
        return true;
    } catch (const FileError& error) {
        err << "quillary-cli: " << error.what() << "\n";
        return false;
    }
}

} // namespace quillary::cli
