// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/inch_edit.h"

#include <algorithm>

namespace quillary {

namespace {

// Qt's mask syntax: "9" a required digit, "\" before each literal, "_" shown in empty places.
QString InchMask(int decimals)
{
    return QStringLiteral("9\\.") + QString(decimals, QLatin1Char('9')) + QStringLiteral("\\ \\\";_");
}

} // namespace

InchEdit::InchEdit(int decimals, QWidget* parent) : QLineEdit(parent), m_digits(decimals + 1), m_maximum(1)
{
    for (int i = 0; i < m_digits; ++i)
        m_maximum *= 10;
    --m_maximum;
    setInputMask(InchMask(decimals));
}

int InchEdit::Value() const
{
    const QString shown = displayText();
    int value = 0;
    int digits = 0;
    // The point is the only literal among the digit positions.
    for (int i = 0; i < shown.size() && digits < m_digits; ++i) {
        if (i == 1)
            continue;
        const QChar c = shown[i];
        value = value * 10 + (c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.digitValue() : 0);
        ++digits;
    }
    return value;
}

void InchEdit::SetValue(int value)
{
    setText(QStringLiteral("%1").arg(std::clamp(value, 0, m_maximum), m_digits, 10, QLatin1Char('0')));
}

} // namespace quillary
