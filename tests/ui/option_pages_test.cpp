// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_icon_store.h"
#include "shell/options_values.h"
#include "shell/profile_file.h"
#include "shell/tool_items.h"
#include "ui/dialogs/option_pages.h"
#include "ui/dialogs/tool_list_widget.h"
#include "ui/questions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;

namespace {

template <typename W> W* Child(const QWidget& parent, const char* name)
{
    return parent.findChild<W*>(QString::fromLatin1(name));
}

void Click(const QWidget& parent, const char* name)
{
    Child<QAbstractButton>(parent, name)->click();
}

std::unique_ptr<TToolItem> Tool(const std::string& description, const std::string& filename)
{
    auto tool = std::make_unique<TToolItem>();
    tool->Description = description;
    tool->Filename = filename;
    return tool;
}

} // namespace

class OptionPagesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QtIconStore m_icons;
    TToolItems m_tools;
    std::vector<int> m_helpTopics;
    std::vector<QString> m_messages;
    DialogContext m_context{nullptr, [this](int topic) { m_helpTopics.push_back(topic); }, {}};

    OptionsValues Fresh() const
    {
        return ReadOptions(TProfileFile::FromText(m_dir.filePath("kpx.ini").toStdString(), ""));
    }

    QString MakeFile(const QString& name, bool executable)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner |
                            (executable ? QFile::ExeOwner : QFile::Permissions()));
        return path;
    }

    void PickNext(const QString& path)
    {
        TOptionPages::PickFile = [path](QWidget*, const QString&) { return path; };
    }

private slots:
    void init()
    {
        m_tools = TToolItems();
        m_helpTopics.clear();
        m_messages.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_messages.push_back(caption + QLatin1Char('|') + text);
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        TOptionPages::PickFile = {};
    }

    void freshSettingsShowTheDefaults()
    {
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(Child<QTabWidget>(dialog, "Pages")->currentIndex(), 0);
        QCOMPARE(Child<QComboBox>(dialog, "DDE")->currentText(), QStringLiteral("IExplore"));
        QVERIFY(Child<QLineEdit>(dialog, "Path")->text().isEmpty());
        QVERIFY(Child<QRadioButton>(dialog, "EMailOpt1")->isChecked());
        QCOMPARE(Child<QRadioButton>(dialog, "EMailOpt3")->text(), QStringLiteral("Use Web Browser "));
        const auto* catList = Child<QListWidget>(dialog, "CatList");
        QCOMPARE(catList->count(), 32);
        QCOMPARE(catList->item(0)->text(), QStringLiteral("User Defined 1"));
        QCOMPARE(catList->item(31)->text(), QStringLiteral("User Defined 32"));

        Click(dialog, "HelpBtn");
        QCOMPARE(m_helpTopics, std::vector<int>{1040});
    }

    void browserAndMailChoicesComeBack()
    {
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        PickNext(QStringLiteral("/usr/bin/firefox"));
        Click(dialog, "SelectPath");
        Child<QComboBox>(dialog, "DDE")->setCurrentText(QStringLiteral("Mosaic"));
        Click(dialog, "EMailOpt3");
        const OptionsValues values = dialog.Values();
        QCOMPARE(values.browserPath, std::string("/usr/bin/firefox"));
        QCOMPARE(values.browserService, std::string("Mosaic"));
        QCOMPARE(values.mailMethod, 3);
    }

    void unknownMailMethodSelectsNoneAndStoresThree()
    {
        OptionsValues current = Fresh();
        current.mailMethod = 7;
        TOptionPages dialog(m_context, current, m_tools, m_icons);
        for (const char* name : {"EMailOpt1", "EMailOpt2", "EMailOpt3"})
            QVERIFY(!Child<QRadioButton>(dialog, name)->isChecked());
        QCOMPARE(dialog.Values().mailMethod, 3);
    }

    void renamingACategoryKeepsOldNameWhenEmpty()
    {
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        auto* catList = Child<QListWidget>(dialog, "CatList");
        auto* catName = Child<QLineEdit>(dialog, "CatName");
        catList->setCurrentRow(2);
        dialog.CatListClick();
        QCOMPARE(catName->text(), QStringLiteral("User Defined 3"));

        catName->setText(QStringLiteral("Clients"));
        dialog.CatNameExit();
        OptionsValues values = dialog.Values();
        QCOMPARE(values.categories[2], std::string("Clients"));
        QCOMPARE(values.categories[3], std::string("User Defined 4"));

        catName->clear();
        dialog.CatNameExit();
        QCOMPARE(dialog.Values().categories[2], std::string("Clients"));
    }

    void newToolStaysAfterCancel()
    {
        const QString program = MakeFile(QStringLiteral("notes"), true);
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        PickNext(program);
        Click(dialog, "NewToolBtn");
        dialog.reject();

        QCOMPARE(m_tools.Count(), std::size_t(1));
        const TToolItem& tool = *m_tools.At(0);
        QCOMPARE(tool.Description, std::string("notes"));
        QCOMPARE(tool.Filename, program.toStdString());
        QVERIFY(tool.Arguments.empty());
        QVERIFY(!tool.AllowAddressItem);
        QVERIFY(tool.ImageIndex >= 0);
        QCOMPARE(Child<ToolListWidget>(dialog, "ToolsList")->SelectedTool(), m_tools.At(0));
        QCOMPARE(Child<QLineEdit>(dialog, "FilenameEdit")->text(), program);
    }

    void fileThatIsNoProgramIsRefused()
    {
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        PickNext(MakeFile(QStringLiteral("readme.txt"), false));
        Click(dialog, "NewToolBtn");
        QCOMPARE(m_tools.Count(), std::size_t(0));
        QCOMPARE(m_messages,
                 std::vector<QString>{QStringLiteral("Invalid File Type|Only executable files may be used as Tools")});
        QCOMPARE(Child<QListWidget>(dialog, "ToolsList")->count(), 0);
    }

    void exeNameIsTakenWithoutTheExecutableBit()
    {
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        PickNext(MakeFile(QStringLiteral("Legacy.EXE"), false));
        Click(dialog, "NewToolBtn");
        QVERIFY(m_messages.empty());
        QCOMPARE(m_tools.Count(), std::size_t(1));
        QCOMPARE(m_tools.At(0)->Description, std::string("Legacy"));
    }

    void deletingRemovesExactlyTheSelectedTool()
    {
        const TToolItem* first = &m_tools.Add(Tool("Same", "/opt/a/one"));
        const TToolItem* second = &m_tools.Add(Tool("Same", "/opt/b/two"));
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        auto* list = Child<ToolListWidget>(dialog, "ToolsList");
        list->setCurrentRow(1);
        QCOMPARE(list->SelectedTool(), second);
        Click(dialog, "DelToolBtn");
        QCOMPARE(m_tools.Count(), std::size_t(1));
        QCOMPARE(m_tools.At(0), first);
        QCOMPARE(list->count(), 1);
        QCOMPARE(ToolListWidget::ToolOf(list->item(0)), first);
    }

    void attributeEditsGoToTheToolAtOnce()
    {
        TToolItem& tool = m_tools.Add(Tool("Old", "/opt/a/one"));
        TOptionPages dialog(m_context, Fresh(), m_tools, m_icons);
        auto* list = Child<ToolListWidget>(dialog, "ToolsList");
        list->setCurrentRow(0);
        QCOMPARE(Child<QLineEdit>(dialog, "Description")->text(), QStringLiteral("Old"));
        Child<QLineEdit>(dialog, "Description")->setText(QStringLiteral("New"));
        Child<QLineEdit>(dialog, "Arguments")->setText(QStringLiteral("-x"));
        emit Child<QLineEdit>(dialog, "Description")->editingFinished();
        Click(dialog, "AddressCheckBox");
        dialog.reject();
        QCOMPARE(tool.Description, std::string("New"));
        QCOMPARE(tool.Arguments, std::string("-x"));
        QVERIFY(tool.AllowAddressItem);
        QCOMPARE(list->item(0)->text(), QStringLiteral("New"));
    }
};

QTEST_MAIN(OptionPagesTest)
#include "option_pages_test.moc"
