// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/sync_accounts.h"
#include "ui/sync/sync_worker.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quillary {

class ItemTree;

// One account: its name, the server's address, the user and password, the node of the tree it
// keeps in step (from the folders, organizations and teams) and the address book, chosen from
// those the server lists or made there.
class SyncAccountDialog final : public QDialog
{
    Q_OBJECT

public:
    // password: the one known for the account (kept in the keyring), or empty.
    SyncAccountDialog(QWidget* parent, const SyncAccount& account, const QString& password, ItemTree& tree,
                      SyncWorker::TransportMaker makeTransport);

    SyncAccount Account() const;
    QString Password() const;

    void done(int result) override;
    // The address books of the server, listed in the chooser (false, with the reason shown, when
    // the server cannot be asked).
    bool FindBooks();
    void MakeBook();

private:
    // A transport for the account as typed; false, with the reason shown, when it will not do.
    std::unique_ptr<DavTransport> Connect();
    bool Failed(DavStatus status);
    void TakeCredentialsFromAddress();
    void ChooseBook(const QString& url, const QString& name);

    ItemTree& m_tree;
    SyncWorker::TransportMaker m_makeTransport;
    SyncAccount m_account;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_server = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QComboBox* m_node = nullptr;
    QComboBox* m_book = nullptr;
    QCheckBox* m_insecure = nullptr;
    QCheckBox* m_paused = nullptr;
    QLabel* m_message = nullptr;
};

} // namespace quillary
