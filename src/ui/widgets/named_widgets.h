// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>
#include <QString>

namespace quillary {

// A widget with its object name (what tests and accessibility tools find it by).
template <typename W> W* Named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A push button that Return does not press unless it has the focus.
inline QPushButton* NamedButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = Named(new QPushButton(text, parent), name);
    button->setAutoDefault(false);
    return button;
}

} // namespace quillary
