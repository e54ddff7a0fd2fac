// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/item_services.h"
#include "platform/qt_icon_store.h"
#include "shell/tool_items.h"
#include "ui/dialogs/tool_list_widget.h"
#include "ui/dialogs/tools_dlg.h"

#include <QPushButton>
#include <QTest>

using namespace quillary;

namespace {

struct RecordingShell : Shell
{
    struct Call
    {
        std::string file, parameters, directory;
    };
    std::vector<Call> calls;

    void Open(const std::string& file, const std::string& parameters, const std::string& directory) override
    {
        calls.push_back({file, parameters, directory});
    }
    void OpenDocument(const std::string& file) override { calls.push_back({file, "<document>", {}}); }
};

QPushButton* Button(const QWidget& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class ToolsDlgTest : public QObject
{
    Q_OBJECT

    QtIconStore m_icons;
    RecordingShell m_shell;
    std::unique_ptr<TToolItems> m_tools;
    TToolItem* m_plain = nullptr;
    TToolItem* m_addressTool = nullptr;

    TToolItem& AddTool(const std::string& filename, const std::string& arguments, bool allowAddress)
    {
        auto tool = std::make_unique<TToolItem>();
        tool->Description = "Tool";
        tool->Filename = filename;
        tool->Arguments = arguments;
        tool->AllowAddressItem = allowAddress;
        return m_tools->Add(std::move(tool));
    }

    static void Select(TToolsDlg& dialog, int row)
    {
        dialog.findChild<ToolListWidget*>(QStringLiteral("ToolsList"))->setCurrentRow(row);
    }

private slots:
    void init()
    {
        m_shell.calls.clear();
        m_tools = std::make_unique<TToolItems>();
        m_plain = &AddTool("/opt/tools/plain", "Arguments", false);
        m_addressTool = &AddTool("/opt/tools/dialer", "", true);
    }

    void buttonsFollowTheSelectedTool()
    {
        TToolsDlg dialog(*m_tools, m_icons, m_shell);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tools"));
        QVERIFY(!Button(dialog, "LaunchBtn")->isEnabled());
        QVERIFY(!Button(dialog, "AddrBtn")->isEnabled());
        Select(dialog, 0);
        QVERIFY(Button(dialog, "LaunchBtn")->isEnabled());
        QVERIFY(!Button(dialog, "AddrBtn")->isEnabled());
        Select(dialog, 1);
        QVERIFY(Button(dialog, "AddrBtn")->isEnabled());
    }

    void launchPassesArgumentsAndABlank()
    {
        TToolsDlg dialog(*m_tools, m_icons, m_shell);
        dialog.show();
        Select(dialog, 0);
        Button(dialog, "LaunchBtn")->click();
        QCOMPARE(m_shell.calls.size(), std::size_t(1));
        QCOMPARE(m_shell.calls[0].file, std::string("/opt/tools/plain"));
        QCOMPARE(m_shell.calls[0].parameters, std::string("Arguments "));
        QCOMPARE(m_shell.calls[0].directory, m_plain->WorkingDirectory());
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.result() != TToolsDlg::NewAddressResult);
        QVERIFY(!dialog.ChosenTool());
    }

    void newAddressChoosesTheToolWithoutLaunching()
    {
        TToolsDlg dialog(*m_tools, m_icons, m_shell);
        dialog.show();
        Select(dialog, 1);
        Button(dialog, "AddrBtn")->click();
        QCOMPARE(dialog.result(), TToolsDlg::NewAddressResult);
        QCOMPARE(dialog.ChosenTool(), m_addressTool);
        QVERIFY(m_shell.calls.empty());
    }
};

QTEST_MAIN(ToolsDlgTest)
#include "tools_dlg_test.moc"
