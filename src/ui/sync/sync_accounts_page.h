// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/sync_accounts.h"
#include "ui/sync/sync_worker.h"

#include <QWidget>

#include <filesystem>
#include <map>

class QLabel;
class QListWidget;
class QSpinBox;

namespace quillary {

class ItemTree;
class SyncPasswords;

// The Options dialog's "Synchronization" page: the accounts, with Add, Edit, Remove and Test
// Connection, and the interval of the automatic rounds. Nothing is kept before Commit (OK).
class SyncAccountsPage final : public QWidget
{
    Q_OBJECT

public:
    // Replaced in tests: the account dialog's answer (none: cancelled).
    static std::function<std::optional<std::pair<SyncAccount, QString>>(QWidget* parent, const SyncAccount& account,
                                                                         const QString& password, ItemTree& tree,
                                                                         SyncWorker::TransportMaker make)>
        EditAccount;

    SyncAccountsPage(const SyncSettings& current, ItemTree& tree, SyncPasswords& passwords,
                     SyncWorker::TransportMaker makeTransport, QWidget* parent = nullptr);

    SyncSettings Settings() const;
    // After OK: the passwords typed in go to the keyring (or memory); removed accounts lose their
    // sync state and password, never a contact.
    void Commit(const std::filesystem::path& dataFile);

    void AddClick();
    void EditClick();
    void RemoveClick();
    // Asks the selected account's server for its address books and says how it went.
    void TestClick();

private:
    void Fill();
    QString PasswordOf(const SyncAccount& account) const;
    void Edit(int row);

    ItemTree& m_tree;
    SyncPasswords& m_passwords;
    SyncWorker::TransportMaker m_makeTransport;
    SyncSettings m_settings;
    std::vector<SyncAccount> m_removed;
    std::map<std::size_t, std::string> m_typed; // passwords typed in, by account
    QListWidget* m_list = nullptr;
    QSpinBox* m_interval = nullptr;
    QLabel* m_keyringNote = nullptr;
};

} // namespace quillary
