// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <QToolButton>

#include <array>
#include <cstdint>
#include <functional>

class QListWidget;

namespace quillary {

class TKPXObject;

// The small pop-up in which an item's categories are ticked: entry n-1 is category n, which is
// bit n-1 of the mask.
class TCategoryPopup : public QDialog
{
    Q_OBJECT

public:
    TCategoryPopup(const std::array<QString, 32>& names, std::uint32_t mask, QWidget* parent = nullptr);

    // The ticked categories.
    std::uint32_t Mask() const;
    QListWidget& CheckListBox() const { return *m_list; }

    // Shows the pop-up modally and answers whether it closed with OK. Tests replace it.
    static std::function<bool(TCategoryPopup&)> RunModal;

private:
    QListWidget* m_list;
};

// Opens the pop-up with its top-left corner at the picture's bottom-left corner, ticked from the
// item's categories; on OK the selection goes straight into the item, so it stands even when the
// dialog around the picture is cancelled.
void EditCategories(TKPXObject& item, QWidget* picture, const std::array<QString, 32>& names);

// The category picture of the edit dialogs ("CatSelect"): a click edits the target's categories.
class CategoryPicture : public QToolButton
{
    Q_OBJECT

public:
    explicit CategoryPicture(QWidget* parent);

    // The names are asked for at each click, so renamed categories show at once. Without a
    // names source the pop-up shows the settings file's fallback names.
    void SetTarget(TKPXObject* item, std::function<std::array<QString, 32>()> names);

private:
    void EditTarget();

    TKPXObject* m_item = nullptr;
    std::function<std::array<QString, 32>()> m_names;
};

} // namespace quillary
