// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader and a keyboard-only user meet in a window: every control they can work
// is named through the accessibility layer, and the focus chain reaches it with Tab.
#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QStringList>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <set>

namespace accessibility_walk {

inline bool IsInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
        return true;
    default:
        return false;
    }
}

inline QString Describe(QAccessibleInterface* node)
{
    QObject* object = node->object();
    QObject* parent = object ? object->parent() : nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    return QStringLiteral("%1 \"%2\" (%3 in %4 \"%5\"%6)")
        .arg(QString::number(int(node->role()), 16), object ? object->objectName() : QString(),
             object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("no object"),
             parent ? QString::fromLatin1(parent->metaObject()->className()) : QString(),
             parent ? parent->objectName() : QString(),
             widget && widget->focusProxy() ? QStringLiteral(", proxied") : QString());
}

// The interactive controls of the window that have no accessible name, one description each.
inline void CollectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth = 0)
{
    if (!node || depth > 60 || node->state().invisible)
        return;
    // A control whose focus goes to another (an editable combo box's line) is named by that one.
    auto* widget = qobject_cast<QWidget*>(node->object());
    if (IsInteractive(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty() &&
        !(widget && widget->focusProxy()))
        unnamed << Describe(node);
    // Items inside lists and trees are data, named by their text; their container is the control.
    if (node->role() == QAccessible::List || node->role() == QAccessible::Tree || node->role() == QAccessible::Table)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        CollectUnnamed(node->child(i), unnamed, depth + 1);
}

inline QStringList UnnamedControls(QWidget* window)
{
    QStringList unnamed;
    CollectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    return unnamed;
}

// The visible, enabled controls of the window that Tab never reaches: those whose focus policy
// refuses Tab although the accessibility layer calls them interactive.
inline QStringList UnreachableControls(QWidget* window)
{
    QStringList unreachable;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || !widget->isEnabled() || widget->window() != window)
            continue;
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
        if (!node || !IsInteractive(node->role()))
            continue;
        // A control inside another that takes the focus for it (a combo box's line edit).
        if (widget->focusProxy() || (widget->parentWidget() && widget->parentWidget()->focusProxy() == widget))
            continue;
        // A tool bar's buttons stay out of the Tab round, as in every Qt program.
        if (qobject_cast<QToolButton*>(widget) && qobject_cast<QToolBar*>(widget->parentWidget()))
            continue;
        if (!(widget->focusPolicy() & Qt::TabFocus))
            unreachable << Describe(node);
    }
    return unreachable;
}

} // namespace accessibility_walk
