// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/category_popup.h"

#include "model/kpx_object.h"
#include "platform/qt_icon_store.h"
#include "shell/settings_keys.h"
#include "ui/text_codec.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace quillary {

namespace {

constexpr std::uint32_t Bit(int entry)
{
    return std::uint32_t{1} << entry;
}

std::array<QString, 32> FallbackNames()
{
    std::array<QString, 32> names;
    for (int n = 1; n <= CategoryCount; ++n)
        names[static_cast<std::size_t>(n - 1)] = FromField(settings::DefaultCategoryName(n));
    return names;
}

} // namespace

std::function<bool(TCategoryPopup&)> TCategoryPopup::RunModal = [](TCategoryPopup& popup) {
    return popup.exec() == QDialog::Accepted;
};

TCategoryPopup::TCategoryPopup(const std::array<QString, 32>& names, std::uint32_t mask, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Select Categories"));
    m_list->setObjectName(QStringLiteral("CheckListBox1"));
    m_list->setUniformItemSizes(true);
    m_list->setMinimumSize(175, 204);
    for (int entry = 0; entry < static_cast<int>(names.size()); ++entry) {
        auto* item = new QListWidgetItem(names[static_cast<std::size_t>(entry)], m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState((mask & Bit(entry)) != 0 ? Qt::Checked : Qt::Unchecked);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

std::uint32_t TCategoryPopup::Mask() const
{
    std::uint32_t mask = 0;
    for (int entry = 0; entry < m_list->count(); ++entry)
        if (m_list->item(entry)->checkState() == Qt::Checked)
            mask |= Bit(entry);
    return mask;
}

void EditCategories(TKPXObject& item, QWidget* picture, const std::array<QString, 32>& names)
{
    TCategoryPopup popup(names, static_cast<std::uint32_t>(item.GetCategories()),
                         picture ? picture->window() : nullptr);
    if (picture) {
        popup.adjustSize();
        popup.move(picture->mapToGlobal(QPoint(0, picture->height())));
    }
    if (TCategoryPopup::RunModal(popup))
        item.SetCategories(static_cast<std::int32_t>(popup.Mask()));
}

CategoryPicture::CategoryPicture(QWidget* parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("CatSelect"));
    setToolTip(QStringLiteral("Click to set categories"));
    setAccessibleName(QStringLiteral("Categories"));
    setIcon(QtIconStore::ToolbarIcon(QStringLiteral("filter-any")));
    setAutoRaise(true);
    // Tab reaches it (Space opens the pop-up); a click leaves the focus in the field being typed.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QToolButton::clicked, this, &CategoryPicture::EditTarget);
}

void CategoryPicture::SetTarget(TKPXObject* item, std::function<std::array<QString, 32>()> names)
{
    m_item = item;
    m_names = std::move(names);
}

void CategoryPicture::EditTarget()
{
    if (m_item)
        EditCategories(*m_item, this, m_names ? m_names() : FallbackNames());
}

} // namespace quillary
