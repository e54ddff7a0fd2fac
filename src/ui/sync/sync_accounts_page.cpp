// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_accounts_page.h"

#include "dav/url_parts.h"
#include "sync/sync_state.h"
#include "ui/plain_text.h"
#include "ui/questions.h"
#include "ui/sync/sync_account_dialog.h"
#include "ui/sync/sync_passwords.h"
#include "ui/sync/sync_questions.h"
#include "ui/widgets/named_widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <system_error>

namespace quillary {

namespace {
std::optional<std::pair<SyncAccount, QString>> EditInDialog(QWidget* parent, const SyncAccount& account,
                                                            const QString& password, ItemTree& tree,
                                                            SyncWorker::TransportMaker make)
{
    SyncAccountDialog dialog(parent, account, password, tree, std::move(make));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::make_pair(dialog.Account(), dialog.Password());
}
} // namespace

decltype(SyncAccountsPage::EditAccount) SyncAccountsPage::EditAccount = EditInDialog;

SyncAccountsPage::SyncAccountsPage(const SyncSettings& current, ItemTree& tree, SyncPasswords& passwords,
                                   SyncWorker::TransportMaker makeTransport, QWidget* parent)
    : QWidget(parent), m_tree(tree), m_passwords(passwords), m_makeTransport(std::move(makeTransport)),
      m_settings(current)
{
    setObjectName(QStringLiteral("SyncPage"));
    auto* listLabel = new QLabel(QStringLiteral("&Accounts (each keeps a folder in step with an address book):"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Accounts"));
    listLabel->setBuddy(m_list);
    auto* add = NamedButton(QStringLiteral("A&dd..."), "AddAccount", this);
    auto* edit = NamedButton(QStringLiteral("&Edit..."), "EditAccount", this);
    auto* remove = NamedButton(QStringLiteral("&Remove"), "RemoveAccount", this);
    auto* test = NamedButton(QStringLiteral("&Test Connection"), "TestConnection", this);
    connect(add, &QPushButton::clicked, this, &SyncAccountsPage::AddClick);
    connect(edit, &QPushButton::clicked, this, &SyncAccountsPage::EditClick);
    connect(remove, &QPushButton::clicked, this, &SyncAccountsPage::RemoveClick);
    connect(test, &QPushButton::clicked, this, &SyncAccountsPage::TestClick);
    connect(m_list, &QListWidget::itemActivated, this, [this] { EditClick(); });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add, edit, remove, test})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* accounts = new QHBoxLayout;
    accounts->addWidget(m_list, 1);
    accounts->addLayout(buttons);

    auto* intervalLabel = new QLabel(QStringLiteral("Synchronize e&very"), this);
    m_interval = new QSpinBox(this);
    m_interval->setObjectName(QStringLiteral("Interval"));
    m_interval->setRange(0, 24 * 60);
    m_interval->setValue(current.intervalMinutes);
    m_interval->setSuffix(QStringLiteral(" minutes"));
    m_interval->setSpecialValueText(QStringLiteral("never"));
    intervalLabel->setBuddy(m_interval);
    auto* interval = new QHBoxLayout;
    interval->addWidget(intervalLabel);
    interval->addWidget(m_interval);
    interval->addWidget(new QLabel(QStringLiteral("(also at start and at exit)"), this));
    interval->addStretch();

    m_keyringNote = AsPlainText(new QLabel(this));
    m_keyringNote->setObjectName(QStringLiteral("KeyringNote"));
    m_keyringNote->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addLayout(accounts, 1);
    layout->addLayout(interval);
    layout->addWidget(m_keyringNote);
    Fill();
}

void SyncAccountsPage::Fill()
{
    const int row = m_list->currentRow();
    m_list->clear();
    for (const SyncAccount& account : m_settings.accounts) {
        QString text = QStringLiteral("%1: %2").arg(QString::fromStdString(account.name),
                                                     QString::fromStdString(account.nodePath));
        if (account.paused)
            text += QStringLiteral(" (paused)");
        auto* entry = new QListWidgetItem(text, m_list);
        entry->setToolTip(QString::fromStdString(account.SyncUrl()));
    }
    m_list->setCurrentRow(std::min(std::max(row, 0), m_list->count() - 1));
    m_keyringNote->setText(m_passwords.HasKeyring()
                               ? QStringLiteral("Passwords are kept in the desktop's keyring.")
                               : QStringLiteral("No keyring answers on this desktop: passwords are kept only "
                                                "until Quillary ends, and asked for again after."));
}

SyncSettings SyncAccountsPage::Settings() const
{
    SyncSettings settings = m_settings;
    settings.intervalMinutes = m_interval->value();
    return settings;
}

QString SyncAccountsPage::PasswordOf(const SyncAccount& account) const
{
    std::string problem;
    const std::optional<std::string> known = m_passwords.Find(account, problem);
    return known ? QString::fromStdString(*known) : QString();
}

void SyncAccountsPage::AddClick()
{
    SyncAccount fresh;
    fresh.nodePath = "My Contacts";
    const auto edited = EditAccount(this, fresh, QString(), m_tree, m_makeTransport);
    if (!edited)
        return;
    m_settings.accounts.push_back(edited->first);
    m_typed[m_settings.accounts.size() - 1] = edited->second.toStdString();
    Fill();
    m_list->setCurrentRow(m_list->count() - 1);
}

void SyncAccountsPage::EditClick()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        Edit(row);
}

void SyncAccountsPage::Edit(int row)
{
    const auto index = static_cast<std::size_t>(row);
    const auto typed = m_typed.find(index);
    const QString password = typed != m_typed.end() ? QString::fromStdString(typed->second)
                                                    : PasswordOf(m_settings.accounts[index]);
    const auto edited = EditAccount(this, m_settings.accounts[index], password, m_tree, m_makeTransport);
    if (!edited)
        return;
    m_settings.accounts[index] = edited->first;
    m_typed[index] = edited->second.toStdString();
    Fill();
}

void SyncAccountsPage::RemoveClick()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    const auto index = static_cast<std::size_t>(row);
    const auto answer = Questions::Ask(
        this, QMessageBox::Question, QStringLiteral("Remove Account"),
        QStringLiteral("Stop synchronizing %1? Every contact stays in the tree and on the server; only what "
                       "Quillary remembers of this account is forgotten.")
            .arg(QString::fromStdString(m_settings.accounts[index].name)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_removed.push_back(m_settings.accounts[index]);
    m_settings.accounts.erase(m_settings.accounts.begin() + row);
    std::map<std::size_t, std::string> typed;
    for (const auto& [at, password] : m_typed)
        if (at != index)
            typed[at > index ? at - 1 : at] = password;
    m_typed = std::move(typed);
    Fill();
}

void SyncAccountsPage::TestClick()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    SyncAccount& account = m_settings.accounts[static_cast<std::size_t>(row)];
    const auto typed = m_typed.find(static_cast<std::size_t>(row));
    const std::string password =
        typed != m_typed.end() ? typed->second : PasswordOf(account).toStdString();
    std::vector<DavAddressBook> books;
    const DavStatus status = m_makeTransport(account, password)->FindAddressBooks(account.SyncUrl(), books);
    const QString name = QString::fromStdString(account.name);
    if (status.failure == DavFailure::Certificate && AcceptCertificate(this, name, status)) {
        account.fingerprint = status.fingerprint;
        return TestClick();
    }
    Questions::Tell(this, status.Ok() ? QMessageBox::Information : QMessageBox::Warning,
                    QStringLiteral("Test Connection"),
                    status.Ok() ? QStringLiteral("%1: connected; %2 address books found.").arg(name).arg(books.size())
                                : QStringLiteral("%1: %2").arg(name, QString::fromStdString(status.message)));
}

void SyncAccountsPage::Commit(const std::filesystem::path& dataFile)
{
    for (const SyncAccount& removed : m_removed) {
        const bool shared = std::any_of(m_settings.accounts.begin(), m_settings.accounts.end(),
                                        [&](const SyncAccount& kept) { return kept.SyncUrl() == removed.SyncUrl(); });
        if (shared)
            continue;
        std::error_code ignored; // a state never written is no loss
        std::filesystem::remove(SyncStatePath(dataFile, removed.SyncUrl()), ignored);
        // States are kept under the book's canonical URL, which an account naming the book has.
        if (const auto canonical = CanonicalCollectionUrl(removed.SyncUrl()))
            std::filesystem::remove(SyncStatePath(dataFile, *canonical), ignored);
        m_passwords.Remove(removed);
    }
    for (const auto& [index, password] : m_typed) {
        std::string problem;
        if (index < m_settings.accounts.size() && !password.empty())
            m_passwords.Keep(m_settings.accounts[index], password, problem);
    }
}

} // namespace quillary
