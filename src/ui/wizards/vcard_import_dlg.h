// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_import.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace quillary {

// Asks whether a card that names an organization is imported as an organization ("Import as
// Orgn.", the Yes result) or as a person ("Import as Person", the No result and the default;
// closing the dialog also means a person).
class TVCImportDlg : public QDialog
{
    Q_OBJECT

public:
    TVCImportDlg(const QString& displayName, const QString& organization, QWidget* parent = nullptr);

    QPushButton* OrgnBtn() const { return m_orgnBtn; }
    QPushButton* PersonBtn() const { return m_personBtn; }

private:
    QPushButton* m_orgnBtn;
    QPushButton* m_personBtn;
};

// The import's question answered by the dialog above, shown over the given window.
class VCardQuestion final : public OrgCardQuestion
{
public:
    // Answers in place of the dialog while set (tests): true for an organization.
    using Hook = std::function<bool(const QString& displayName, const QString& organization)>;
    static void SetHook(Hook hook);

    explicit VCardQuestion(QWidget* parent) : m_parent(parent) {}
    bool ImportAsOrganization(const std::string& displayName, const std::string& organization) override;

private:
    QWidget* m_parent;
};

} // namespace quillary
