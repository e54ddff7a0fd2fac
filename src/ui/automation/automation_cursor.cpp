// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/automation/automation_cursor.h"

#include "automation/automation_error.h"
#include "ui/text_codec.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace quillary {

namespace {
const QString ErrorName = QStringLiteral("Zelk.Application.Error");
}

AutomationCursor::AutomationCursor(ItemTree& tree, AutomationHost& host, QString owner, QObject* parent)
    : QObject(parent), m_app(tree, host), m_owner(std::move(owner))
{
}

void AutomationCursor::DeleteWhenIdle()
{
    if (m_callDepth == 0)
        delete this;
    else
        m_released = true;
}

bool AutomationCursor::FromStranger() const
{
    if (!calledFromDBus() || message().service() == m_owner)
        return false;
    sendErrorReply(ErrorName, QStringLiteral("This cursor belongs to another client"));
    return true;
}

template <typename Call> void AutomationCursor::Reporting(Call call)
{
    if (FromStranger())
        return;
    ++m_callDepth;
    try {
        call();
    } catch (const AutomationError& error) {
        if (calledFromDBus() && !message().isDelayedReply())
            sendErrorReply(ErrorName, QString::fromStdString(error.what()));
        else
            qWarning("Automation: %s", error.what());
    }
    if (--m_callDepth == 0 && m_released)
        deleteLater();
}

template <typename Read, typename R> R AutomationCursor::Owned(Read read, R fallback) const
{
    return FromStranger() ? fallback : read();
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
    Reporting([&] {
        // The action may open a modal dialog; the caller has its answer before that.
        if (calledFromDBus()) {
            setDelayedReply(true);
            connection().send(message().createReply());
        }
        m_app.DoDefaultAction();
    });
}

int AutomationCursor::zelkID() const
{
    return Owned([&] { return m_app.zelkID(); }, 0);
}

int AutomationCursor::zelkClass() const
{
    return Owned([&] { return m_app.zelkClass(); }, 0);
}

QString AutomationCursor::zelkTitle() const
{
    return Owned([&] { return FromField(m_app.zelkTitle()); }, QString());
}

void AutomationCursor::SetzelkTitle(const QString& title)
{
    Reporting([&] { m_app.SetZelkTitle(ToField(title)); });
}

QString AutomationCursor::zelkTarget() const
{
    return Owned([&] { return FromField(m_app.zelkTarget()); }, QString());
}

void AutomationCursor::SetzelkTarget(const QString& target)
{
    Reporting([&] { m_app.SetZelkTarget(ToField(target)); });
}

QString AutomationCursor::zelkComment() const
{
    return Owned([&] { return FromField(m_app.zelkComment()); }, QString());
}

void AutomationCursor::SetzelkComment(const QString& comment)
{
    Reporting([&] { m_app.SetZelkComment(ToField(comment)); });
}

QString AutomationCursor::zelkField(const QString& field) const
{
    return Owned([&] { return FromField(m_app.zelkField(ToField(field))); }, QString());
}

void AutomationCursor::SetzelkField(const QString& field, const QString& value)
{
    Reporting([&] { m_app.SetZelkField(ToField(field), ToField(value)); });
}

int AutomationCursor::ItemCount() const
{
    return Owned([&] { return m_app.ItemCount(); }, 0);
}

bool AutomationCursor::Items(int index)
{
    return Owned([&] { return m_app.Items(index); }, false);
}

int AutomationCursor::CurrentItemIndex() const
{
    return Owned([&] { return m_app.CurrentItemIndex(); }, 0);
}

int AutomationCursor::NextSiblingIndex() const
{
    return Owned([&] { return m_app.NextSiblingIndex(); }, 0);
}

int AutomationCursor::ChildCount() const
{
    return Owned([&] { return m_app.ChildCount(); }, 0);
}

bool AutomationCursor::Child(int index)
{
    return Owned([&] { return m_app.Child(index); }, false);
}

int AutomationCursor::SelectCount() const
{
    return Owned([&] { return m_app.SelectCount(); }, 0);
}

bool AutomationCursor::UserSelected(int n)
{
    return Owned([&] { return m_app.UserSelected(n); }, false);
}

bool AutomationCursor::NextItemWithTitle(const QString& title)
{
    return Owned([&] { return m_app.NextItemWithTitle(ToField(title)); }, false);
}

bool AutomationCursor::ItemWithId(int id)
{
    return Owned([&] { return m_app.ItemWithId(id); }, false);
}

} // namespace quillary
