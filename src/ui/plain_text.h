// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillary {

// Item and file text may look like markup ("<img src=...>"), and Qt renders anything that looks
// like markup as rich text unless told otherwise. Every label, box and tip that can show such
// text goes through here.

// Makes a label or message box show its text exactly as written; returns it for chaining.
template <typename Widget> Widget* AsPlainText(Widget* widget)
{
    widget->setTextFormat(Qt::PlainText);
    return widget;
}

// A tool tip that shows text exactly as written (tips have no text format of their own).
QString PlainToolTip(const QString& text);

} // namespace quillary
