// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actions/action_prompts.h"

#include <QString>

#include <optional>

class QWidget;

namespace quillary {

// The outward actions' boxes as standard message boxes over the main window.
class QtActionPrompts final : public ActionPrompts
{
public:
    explicit QtActionPrompts(QWidget* parent) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    bool Confirm(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    QWidget* m_parent;
};

// Asks for the e-mail address of a recipient known only by name; none when cancelled.
std::optional<QString> AskMailAddress(QWidget* parent, const QString& name);

} // namespace quillary
