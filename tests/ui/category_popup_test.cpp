// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "ui/dialogs/category_popup.h"

#include <QListWidget>
#include <QTest>

using namespace quillary;

namespace {

std::array<QString, 32> Names()
{
    std::array<QString, 32> names;
    for (int n = 1; n <= 32; ++n)
        names[static_cast<std::size_t>(n - 1)] = QStringLiteral("Group %1").arg(n);
    return names;
}

QStringList Ticked(const TCategoryPopup& popup)
{
    QStringList ticked;
    for (int entry = 0; entry < popup.CheckListBox().count(); ++entry)
        if (popup.CheckListBox().item(entry)->checkState() == Qt::Checked)
            ticked.append(popup.CheckListBox().item(entry)->text());
    return ticked;
}

} // namespace

class CategoryPopupTest : public QObject
{
    Q_OBJECT

    const std::function<bool(TCategoryPopup&)> m_realRun = TCategoryPopup::RunModal;
    ItemTree m_tree;
    TKPXObject& m_item = m_tree.RootItem();

private slots:
    void cleanup() { TCategoryPopup::RunModal = m_realRun; }

    void ticksFromTheMaskAndReadsItBack()
    {
        TCategoryPopup popup(Names(), 0x80000005u);
        QCOMPARE(popup.windowTitle(), QStringLiteral("Select Categories"));
        QCOMPARE(Ticked(popup), QStringList({"Group 1", "Group 3", "Group 32"}));
        popup.CheckListBox().item(0)->setCheckState(Qt::Unchecked);
        popup.CheckListBox().item(9)->setCheckState(Qt::Checked);
        QCOMPARE(popup.Mask(), 0x80000204u);
    }

    void thePictureOpensThePopupBelowItself()
    {
        QWidget window;
        CategoryPicture picture(&window);
        picture.move(10, 20);
        window.show();
        m_item.SetCategories(static_cast<std::int32_t>(0x80000000u));
        QPoint shownAt;
        TCategoryPopup::RunModal = [&](TCategoryPopup& popup) {
            shownAt = popup.pos();
            popup.CheckListBox().item(1)->setCheckState(Qt::Checked);
            return true;
        };
        picture.click(); // no target yet: nothing happens
        QCOMPARE(shownAt, QPoint());
        picture.SetTarget(&m_item, Names);
        picture.click();
        QCOMPARE(shownAt, picture.mapToGlobal(QPoint(0, picture.height())));
        QCOMPARE(m_item.GetCategories(), static_cast<std::int32_t>(0x80000002u));
    }

    void cancelLeavesTheCategoriesAndMissingNamesFallBack()
    {
        m_item.SetCategories(8);
        QString seventh;
        TCategoryPopup::RunModal = [&](TCategoryPopup& popup) {
            seventh = popup.CheckListBox().item(6)->text();
            popup.CheckListBox().item(0)->setCheckState(Qt::Checked);
            return false;
        };
        CategoryPicture picture(nullptr);
        picture.SetTarget(&m_item, nullptr);
        picture.click();
        QCOMPARE(seventh, QStringLiteral("User Defined 7"));
        QCOMPARE(m_item.GetCategories(), 8);
    }
};

QTEST_MAIN(CategoryPopupTest)
#include "category_popup_test.moc"
