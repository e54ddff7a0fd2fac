// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/automation/automation_cursor.h"

#include "automation/automation_error.h"
#include "ui/text_codec.h"

namespace quillary {

AutomationCursor::AutomationCursor(ItemTree& tree, AutomationHost& host, QObject* parent)
    : QObject(parent), m_app(tree, host)
{
}

template <typename Call> void AutomationCursor::Reporting(Call call)
{
    try {
        call();
    } catch (const AutomationError& error) {
        sendErrorReply(QStringLiteral("Zelk.Application.Error"), QString::fromStdString(error.what()));
    }
}

void AutomationCursor::Insert(int kind, const QString& title, const QString& target, const QString& comment,
                              const QString& details)
{
    Reporting([&] { m_app.Insert(kind, ToField(title), ToField(target), ToField(comment), ToField(details)); });
}

void AutomationCursor::CopyClipboard()
{
    Reporting([&] { m_app.CopyClipboard(); });
}

void AutomationCursor::DoDefaultAction()
{
    Reporting([&] { m_app.DoDefaultAction(); });
}

int AutomationCursor::zelkID() const
{
    return m_app.zelkID();
}

int AutomationCursor::zelkClass() const
{
    return m_app.zelkClass();
}

QString AutomationCursor::zelkTitle() const
{
    return FromField(m_app.zelkTitle());
}

void AutomationCursor::SetzelkTitle(const QString& title)
{
    Reporting([&] { m_app.SetZelkTitle(ToField(title)); });
}

QString AutomationCursor::zelkTarget() const
{
    return FromField(m_app.zelkTarget());
}

void AutomationCursor::SetzelkTarget(const QString& target)
{
    Reporting([&] { m_app.SetZelkTarget(ToField(target)); });
}

QString AutomationCursor::zelkComment() const
{
    return FromField(m_app.zelkComment());
}

void AutomationCursor::SetzelkComment(const QString& comment)
{
    Reporting([&] { m_app.SetZelkComment(ToField(comment)); });
}

QString AutomationCursor::zelkField(const QString& field) const
{
    return FromField(m_app.zelkField(ToField(field)));
}

void AutomationCursor::SetzelkField(const QString& field, const QString& value)
{
    Reporting([&] { m_app.SetZelkField(ToField(field), ToField(value)); });
}

int AutomationCursor::ItemCount() const
{
    return m_app.ItemCount();
}

bool AutomationCursor::Items(int index)
{
    return m_app.Items(index);
}

int AutomationCursor::CurrentItemIndex() const
{
    return m_app.CurrentItemIndex();
}

int AutomationCursor::NextSiblingIndex() const
{
    return m_app.NextSiblingIndex();
}

int AutomationCursor::ChildCount() const
{
    return m_app.ChildCount();
}

bool AutomationCursor::Child(int index)
{
    return m_app.Child(index);
}

int AutomationCursor::SelectCount() const
{
    return m_app.SelectCount();
}

bool AutomationCursor::UserSelected(int n)
{
    return m_app.UserSelected(n);
}

bool AutomationCursor::NextItemWithTitle(const QString& title)
{
    return m_app.NextItemWithTitle(ToField(title));
}

bool AutomationCursor::ItemWithId(int id)
{
    return m_app.ItemWithId(id);
}

} // namespace quillary
