// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace quillary {

// A length in inches under an edit mask: one digit before the point, then `decimals` digits, a
// blank and the inch mark, as 0.5 " or 0.58 ". The value counts in the last digit's unit (tenths
// or hundredths). Every digit position is read in place, a blank one as 0, so a half-typed field
// still means what it shows.
class InchEdit final : public QLineEdit
{
    Q_OBJECT

public:
    explicit InchEdit(int decimals, QWidget* parent = nullptr);

    int Value() const;
    // Written with leading zeros to every digit position (58 shows as 0.58 "); kept within what
    // the field can show.
    void SetValue(int value);

private:
    int m_digits;
    int m_maximum;
};

} // namespace quillary
