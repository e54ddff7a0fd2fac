// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/phone_format_combo.h"

#include "dialogs/phone_formats.h"
#include "ui/dialogs/masked_number_edit.h"

namespace quillary {

namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PhoneFormatCombo::PhoneFormatCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    for (const PhoneFormat& format : PhoneFormats())
        addItem(FromView(format.name));
    connect(this, &QComboBox::currentIndexChanged, this, &PhoneFormatCombo::ApplyFormat);
}

void PhoneFormatCombo::Attach(MaskedNumberEdit* edit)
{
    m_edit = edit;
}

void PhoneFormatCombo::SelectFormat(int index)
{
    setCurrentIndex(index);
    ApplyFormat(index); // also when the index did not change, so the mask is set in any case
}

void PhoneFormatCombo::ApplyFormat(int index)
{
    if (!m_edit || index < 0 || index >= static_cast<int>(PhoneFormats().size()))
        return;
    m_edit->SetEditMask(FromView(PhoneFormats()[static_cast<std::size_t>(index)].editMask));
}

} // namespace quillary
