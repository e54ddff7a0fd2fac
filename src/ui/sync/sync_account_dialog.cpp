// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_account_dialog.h"

#include "common/process_secrets.h"
#include "dav/url_parts.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/node_path.h"
#include "model/tree_walk.h"
#include "ui/plain_text.h"
#include "ui/sync/sync_questions.h"
#include "ui/widgets/named_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillary {

namespace {
// The nodes that can hold persons and organizations, as paths.
QStringList NodePaths(ItemTree& tree)
{
    QStringList paths;
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) {
        const int kind = node.Data()->GetKind();
        if (kind == KindRoot || kind == KindFolder || kind == KindOrganization || kind == KindTeam)
            paths.append(QString::fromStdString(NodePath(node)));
    });
    return paths;
}
} // namespace

SyncAccountDialog::SyncAccountDialog(QWidget* parent, const SyncAccount& account, const QString& password,
                                     ItemTree& tree, SyncWorker::TransportMaker makeTransport)
    : QDialog(parent), m_tree(tree), m_makeTransport(std::move(makeTransport)), m_account(account)
{
    MarkProcessHoldingSecrets(); // a password is typed here
    setObjectName(QStringLiteral("SyncAccountDialog"));
    setWindowTitle(QStringLiteral("Synchronization Account"));
    m_name = Named(new QLineEdit(QString::fromStdString(account.name), this), "Name");
    m_server = Named(new QLineEdit(QString::fromStdString(account.serverUrl), this), "Server");
    m_server->setPlaceholderText(QStringLiteral("https://dav.example.org"));
    m_user = Named(new QLineEdit(QString::fromStdString(account.user), this), "User");
    m_password = Named(new QLineEdit(password, this), "Password");
    m_password->setEchoMode(QLineEdit::Password);
    m_node = Named(new QComboBox(this), "Node");
    m_node->addItems(NodePaths(tree));
    m_node->setCurrentIndex(std::max(0, m_node->findText(QString::fromStdString(account.nodePath))));
    m_book = Named(new QComboBox(this), "Book");
    m_book->addItem(QStringLiteral("The server address is the address book"), QString());
    if (!account.bookUrl.empty())
        ChooseBook(QString::fromStdString(account.bookUrl), QString());
    auto* find = NamedButton(QStringLiteral("&Find"), "FindBooks", this);
    auto* make = NamedButton(QStringLiteral("&New..."), "NewBook", this);
    connect(find, &QPushButton::clicked, this, &SyncAccountDialog::FindBooks);
    connect(make, &QPushButton::clicked, this, &SyncAccountDialog::MakeBook);
    auto* bookRow = new QHBoxLayout;
    bookRow->addWidget(m_book, 1);
    bookRow->addWidget(find);
    bookRow->addWidget(make);
    m_insecure = Named(new QCheckBox(QStringLiteral("Allow an &unencrypted connection (http)"), this), "Insecure");
    m_insecure->setChecked(account.allowInsecure);
    m_paused = Named(new QCheckBox(QStringLiteral("&Paused after a refused mass deletion"), this), "Paused");
    m_paused->setChecked(account.paused);
    m_paused->setVisible(account.paused);
    m_message = Named(AsPlainText(new QLabel(this)), "Message");
    m_message->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Server address:"), m_server);
    form->addRow(QStringLiteral("&User:"), m_user);
    form->addRow(QStringLiteral("Pass&word:"), m_password);
    form->addRow(QStringLiteral("&Folder:"), m_node);
    // A row of a layout gets no buddy of its own: its label is given the chooser.
    auto* bookLabel = new QLabel(QStringLiteral("&Address book:"), this);
    bookLabel->setBuddy(m_book);
    form->addRow(bookLabel, bookRow);
    form->addRow(QString(), m_insecure);
    form->addRow(QString(), m_paused);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

SyncAccount SyncAccountDialog::Account() const
{
    SyncAccount account = m_account;
    account.name = m_name->text().trimmed().toStdString();
    account.serverUrl = m_server->text().trimmed().toStdString();
    account.user = m_user->text().trimmed().toStdString();
    account.nodePath = m_node->currentText().toStdString();
    account.bookUrl = m_book->currentData().toString().toStdString();
    account.allowInsecure = m_insecure->isChecked();
    account.paused = m_paused->isChecked();
    if (account.name.empty())
        account.name = account.serverUrl;
    return account;
}

QString SyncAccountDialog::Password() const
{
    return m_password->text();
}

// An address never keeps a user name or password: they move to their own fields (where the
// password goes to the keyring), and the address stays without them.
void SyncAccountDialog::TakeCredentialsFromAddress()
{
    const std::optional<UrlParts> parts = ParseUrl(m_server->text().trimmed().toStdString());
    if (!parts || !parts->hasUserInfo)
        return;
    if (m_user->text().trimmed().isEmpty())
        m_user->setText(QString::fromStdString(PercentDecoded(parts->user)));
    if (parts->hasPassword && m_password->text().isEmpty())
        m_password->setText(QString::fromStdString(PercentDecoded(parts->password)));
    m_server->setText(QString::fromStdString(parts->WithoutUserInfo()));
    m_message->setText(QStringLiteral("The user name and password were taken out of the address into their own "
                                      "fields."));
}

void SyncAccountDialog::done(int result)
{
    TakeCredentialsFromAddress();
    if (result == Accepted && m_server->text().trimmed().isEmpty()) {
        m_message->setText(QStringLiteral("Type the address of the server (or of the address book)."));
        m_server->setFocus();
        return;
    }
    QDialog::done(result);
}

std::unique_ptr<DavTransport> SyncAccountDialog::Connect()
{
    TakeCredentialsFromAddress();
    if (m_server->text().trimmed().isEmpty()) {
        m_message->setText(QStringLiteral("Type the address of the server first."));
        return nullptr;
    }
    m_message->setText(QStringLiteral("Asking the server..."));
    return m_makeTransport(Account(), Password().toStdString());
}

bool SyncAccountDialog::Failed(DavStatus status)
{
    m_message->setText(QString::fromStdString(status.message));
    if (status.failure == DavFailure::Certificate && AcceptCertificate(this, m_name->text(), status)) {
        m_account.fingerprint = status.fingerprint;
        m_message->setText(QStringLiteral("Certificate accepted; ask the server again."));
    }
    if (status.failure == DavFailure::Moved && AcceptNewAddress(this, m_name->text(), status)) {
        m_server->setText(QString::fromStdString(status.movedTo));
        m_message->setText(QStringLiteral("New address taken; ask the server again."));
    }
    return false;
}

void SyncAccountDialog::ChooseBook(const QString& url, const QString& name)
{
    int index = m_book->findData(url);
    if (index < 0) {
        m_book->addItem(name.isEmpty() ? url : name + QStringLiteral(" (") + url + QStringLiteral(")"), url);
        index = m_book->count() - 1;
    }
    m_book->setCurrentIndex(index);
}

bool SyncAccountDialog::FindBooks()
{
    const std::unique_ptr<DavTransport> transport = Connect();
    if (!transport)
        return false;
    std::vector<DavAddressBook> books;
    const DavStatus status = transport->FindAddressBooks(Account().serverUrl, books);
    if (!status.Ok())
        return Failed(status);
    const QString chosen = m_book->currentData().toString();
    for (const DavAddressBook& book : books)
        ChooseBook(QString::fromStdString(book.url), QString::fromStdString(book.displayName));
    if (!chosen.isEmpty() || books.empty())
        ChooseBook(chosen, QString());
    else
        m_book->setCurrentIndex(m_book->findData(QString::fromStdString(books.front().url)));
    m_message->setText(books.empty() ? QStringLiteral("The server lists no address book: make one with New.")
                                     : QStringLiteral("%1 address books found.").arg(books.size()));
    return true;
}

void SyncAccountDialog::MakeBook()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("New Address Book"),
                                               QStringLiteral("Name of the address book:"), QLineEdit::Normal,
                                               QStringLiteral("Contacts"), &ok);
    if (!ok || name.trimmed().isEmpty())
        return;
    const std::unique_ptr<DavTransport> transport = Connect();
    if (!transport)
        return;
    DavAddressBook book;
    const DavStatus status = transport->MakeAddressBook(Account().serverUrl, name.trimmed().toStdString(), book);
    if (!status.Ok()) {
        Failed(status);
        return;
    }
    ChooseBook(QString::fromStdString(book.url), name.trimmed());
    m_message->setText(QStringLiteral("Address book made."));
}

} // namespace quillary
