// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/data_file_read.h"
#include "shell/recovery_copy.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace quillary {

class DataFileLoader;
class ItemTree;

// The desktop program's hold on its data file: reading it at the start, whether this copy may
// write it, Save, Revert, and the recovery copy kept while changes are unsaved. A tree that was
// just read or saved counts as saved (ItemTree::MarkSaved).
class DataFileSession
{
public:
    explicit DataFileSession(std::filesystem::path dataFile);
    ~DataFileSession();

    const std::filesystem::path& File() const { return m_file; }

    // Reads the data file beneath the root of a tree that holds nothing else.
    DataFileRead Load(ItemTree& tree);
    // The same a slice at a time (DataFileLoader::Next). Until the read is over nothing may change
    // the tree, and the session neither writes nor rereads the file: a half tree never replaces it.
    DataFileLoader& StartLoad(ItemTree& tree);
    bool IsLoading() const;

    // A copy that must never write the data file (another program holds it, or its lock cannot
    // be made): every save is refused with the reason, and no recovery copy is written.
    void SetReadOnly(std::string reason) { m_readOnlyReason = std::move(reason); }
    bool IsReadOnly() const { return !m_readOnlyReason.empty(); }
    const std::string& ReadOnlyReason() const { return m_readOnlyReason; }

    // Writes the tree to the data file, then drops the recovery copy, whose changes the file now
    // holds. Throws FileError when the file cannot be written (the old one stays whole) or when
    // this copy is read-only.
    void Save(ItemTree& tree);
    // The same into a file the user chose instead of the data file.
    void SaveAs(ItemTree& tree, const std::filesystem::path& file);
    // Reads the data file afresh in place of the tree. False, with the reason in problem, when
    // it cannot be read: the tree is then left as it was.
    bool Revert(ItemTree& tree, std::string& problem);

    // A recovery copy newer than the data file, found at the start.
    std::optional<RecoveryCopy> FindRecovery() const { return FindRecoveryCopy(m_file); }
    // Replaces the tree by the copy's contents. The data file is not touched, so the tree counts
    // as unsaved. False, with the reason in problem, when the copy cannot be read.
    bool Restore(ItemTree& tree, const RecoveryCopy& copy, std::string& problem);
    // Writes the tree's recovery copy beside the data file, or in the second place when the
    // folder cannot take it or this copy is read-only; the result is where it went. Throws
    // FileError when neither can.
    std::filesystem::path KeepRecovery(const ItemTree& tree);
    // Removes the recovery copy beside the data file, and the one in the second place when this
    // session wrote or restored it (another data folder's copy may wait there).
    void DropRecovery();

private:
    void Saved(ItemTree& tree);
    void RefuseWhileLoading(const std::filesystem::path& file) const;

    std::filesystem::path m_file;
    std::unique_ptr<DataFileLoader> m_loader;
    std::string m_readOnlyReason;
    bool m_ownsFallback = false;
};

} // namespace quillary
