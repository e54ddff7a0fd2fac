// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_file_session.h"

#include "common/file_error.h"
#include "model/data_file.h"
#include "model/data_file_loader.h"
#include "model/item_tree.h"
#include "shell/tree_commands.h"

namespace quillary {

namespace fs = std::filesystem;

DataFileSession::DataFileSession(fs::path dataFile) : m_file(std::move(dataFile)) {}

DataFileSession::~DataFileSession() = default;

DataFileRead DataFileSession::Load(ItemTree& tree)
{
    const DataFileRead read = StartLoad(tree).ReadToEnd();
    tree.MarkSaved();
    return read;
}

DataFileLoader& DataFileSession::StartLoad(ItemTree& tree)
{
    m_loader = std::make_unique<DataFileLoader>(tree.Root(), m_file);
    return *m_loader;
}

bool DataFileSession::IsLoading() const
{
    return m_loader && !m_loader->Done();
}

void DataFileSession::RefuseWhileLoading(const fs::path& file) const
{
    if (IsLoading())
        throw FileError(file, "Still reading the data file, so nothing is written yet");
}

void DataFileSession::Save(ItemTree& tree)
{
    RefuseWhileLoading(m_file);
    if (IsReadOnly())
        throw FileError(m_file, "Opened read-only (" + m_readOnlyReason + "), so not saved");
    SaveDataFile(tree, m_file);
    Saved(tree);
}

void DataFileSession::SaveAs(ItemTree& tree, const fs::path& file)
{
    RefuseWhileLoading(file);
    std::error_code error;
    if (IsReadOnly() && fs::equivalent(file, m_file, error))
        throw FileError(file, "Another program holds this data file; choose another name");
    SaveDataFile(tree, file);
    Saved(tree);
}

void DataFileSession::Saved(ItemTree& tree)
{
    tree.MarkSaved();
    DropRecovery();
}

bool DataFileSession::Revert(ItemTree& tree, std::string& problem)
{
    if (IsLoading()) {
        problem = "Quillary is still reading " + m_file.string();
        return false;
    }
    if (!quillary::Revert(tree, m_file, &problem))
        return false;
    tree.MarkSaved();
    DropRecovery();
    return true;
}

bool DataFileSession::Restore(ItemTree& tree, const RecoveryCopy& copy, std::string& problem)
{
    if (IsLoading()) {
        problem = "Quillary is still reading " + m_file.string();
        return false;
    }
    if (!quillary::Revert(tree, copy.file, &problem))
        return false;
    tree.MarkChanged(); // the data file still holds the older state
    m_ownsFallback = m_ownsFallback || copy.file == FallbackRecoveryFileOf(m_file);
    return true;
}

fs::path DataFileSession::KeepRecovery(const ItemTree& tree)
{
    RefuseWhileLoading(RecoveryFileOf(m_file));
    // A read-only copy leaves the data file's folder to the program that holds it.
    if (!IsReadOnly()) {
        const fs::path beside = RecoveryFileOf(m_file);
        try {
            WriteRecoveryCopy(tree, beside);
            return beside;
        } catch (const FileError&) {
            // the second place below
        }
    }
    const fs::path fallback = FallbackRecoveryFileOf(m_file);
    WriteRecoveryCopy(tree, fallback, true);
    m_ownsFallback = true;
    return fallback;
}

void DataFileSession::DropRecovery()
{
    std::error_code ignored;
    fs::remove(RecoveryFileOf(m_file), ignored);
    if (m_ownsFallback)
        fs::remove(FallbackRecoveryFileOf(m_file), ignored);
    m_ownsFallback = false;
}

} // namespace quillary
