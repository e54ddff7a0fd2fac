// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QPointer>

namespace quillary {

class MaskedNumberEdit;

// The drop-down list of phone number formats ("USA", "Free Format", ...). Choosing an entry puts its edit mask on
// the attached number field, and on that field only.
class PhoneFormatCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit PhoneFormatCombo(QWidget* parent = nullptr);

    void Attach(MaskedNumberEdit* edit);
    MaskedNumberEdit* AttachedEdit() const { return m_edit; }

    // Selects the format and sets its mask on the attached field, also when it was selected already.
    void SelectFormat(int index);
    int SelectedFormat() const { return currentIndex(); }

private:
    void ApplyFormat(int index);

    QPointer<MaskedNumberEdit> m_edit;
};

} // namespace quillary
