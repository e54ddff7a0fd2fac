// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli_options.h"
#include "common/run_lock.h"
#include "model/item_tree.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace quillary::cli {

// The data file a command works on: --data FILE, or the program's own in its working folder
// ($QUILLARY_HOME, else $XDG_DATA_HOME/quillary, else ~/.local/share/quillary).
std::filesystem::path DataFileOf(const CliOptions& options);

// The program's working folder, where its web graphics live.
std::filesystem::path WorkingDirectoryOf(const CliOptions& options);

// A data file loaded into a tree. Opening it for change takes the lock that the running
// program also holds, so the two never write over each other's work.
class DataSession
{
public:
    enum class Access { Read, Change };
    // Fails with a message on err and the exit status in status.
    static std::optional<DataSession> Open(const CliOptions& options, Access access, std::ostream& err, int& status);

    ItemTree& Tree() { return *m_tree; }
    // The node a --node or --into option names (the root when absent); none, with a message, when
    // no node has that path.
    TreeNode* NodeOption(const CliOptions& options, const std::string& name, std::ostream& err);
    // Opens the data file and finds the node that nodeOption names (the root when absent); a node
    // that is not there fails with ExitUsage.
    struct AtNode;
    static std::optional<AtNode> OpenAtNode(const CliOptions& options, Access access, const std::string& nodeOption,
                                            std::ostream& err, int& status);
    // Writes the tree back, replacing the file only when the new one is complete.
    bool Save(std::ostream& err);

    // The tree is left to the process's end (KeepToExit); the lock is released.
    ~DataSession();
    DataSession(DataSession&&) = default;
    DataSession& operator=(DataSession&&) = default;

private:
    DataSession(std::filesystem::path file, std::optional<RunLock> lock);
    std::filesystem::path m_file;
    std::optional<RunLock> m_lock;
    std::unique_ptr<ItemTree> m_tree;
};

struct DataSession::AtNode
{
    DataSession session;
    TreeNode* node;
};

} // namespace quillary::cli
