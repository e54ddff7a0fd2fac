// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/option_pages.h"

#include "platform/qt_icon_store.h"
#include "shell/tool_items.h"
#include "ui/dialogs/tool_list_widget.h"
#include "ui/questions.h"
#include "ui/text_codec.h"
#include "ui/widgets/editable_combo.h"
#include "ui/widgets/named_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quillary {

namespace {

constexpr int ClientWidth = 427;

QString OpenExistingFile(QWidget* parent, const QString& folder)
{
    // The dialog's own mode takes existing files only, and it leaves the working directory alone.
    return QFileDialog::getOpenFileName(parent, QString(), folder);
}

// Programs on this system are files with the executable bit; names ending in ".exe" are taken as
// well, so tools kept from older settings files can be registered again.
bool IsToolProgram(const QString& path)
{
    const QFileInfo info(path);
    return (info.isFile() && info.isExecutable()) || IsToolProgramName(ToField(path));
}

// Where a new tool is first looked for: the system's folder of programs.
QString ProgramFolder()
{
    const QString programs = QStringLiteral("/usr/bin");
    return QFileInfo(programs).isDir() ? programs : QDir::rootPath();
}

} // namespace

std::function<QString(QWidget*, const QString&)> TOptionPages::PickFile = OpenExistingFile;

TOptionPages::TOptionPages(const DialogContext& context, const OptionsValues& current, TToolItems& tools,
                           QtIconStore& icons)
    : QDialog(context.parent), m_tools(tools), m_icons(icons)
{
    setObjectName(QStringLiteral("TOptionPages"));
    setWindowTitle(QStringLiteral("Options"));
    m_pages = Named(new QTabWidget(this), "Pages");
    m_pages->addTab(BuildBrowserPage(), QStringLiteral("Browser/Mail"));
    m_pages->addTab(BuildToolsPage(), QStringLiteral("Tools Menu"));
    m_pages->addTab(BuildCategoriesPage(), QStringLiteral("Categories"));
    m_pages->addTab(BuildRemindersPage(), QStringLiteral("Reminders"));
    m_pages->setCurrentIndex(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(BuildButtons(context));
    resize(ClientWidth, sizeHint().height());

    Show(current);
    m_toolsList->Fill(m_tools, m_icons);
}

void TOptionPages::AddPage(QWidget* page, const QString& title)
{
    m_pages->addTab(page, title);
    // Every page's tab in sight: the dialog grows to hold them.
    m_pages->setUsesScrollButtons(false);
    resize(std::max(width(), sizeHint().width()), height());
}

QWidget* TOptionPages::BuildBrowserPage()
{
    auto* page = Named(new QWidget, "OptSheet1");
    auto* browser = Named(new QGroupBox(QStringLiteral("Preferred Browser"), page), "GroupBox1");
    m_dde = Named(new QComboBox(browser), "DDE");
    MakeEditable(*m_dde);
    m_dde->addItems({QStringLiteral("NETSCAPE"), QStringLiteral("IExplore"), QStringLiteral("Mosaic")});
    m_path = Named(new QLineEdit(browser), "Path");
    auto* selectPath = NamedButton(QStringLiteral("..."), "SelectPath", browser);
    connect(selectPath, &QPushButton::clicked, this, &TOptionPages::SelectPathClick);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path);
    pathRow->addWidget(selectPath);
    auto* browserLayout = new QFormLayout(browser);
    browserLayout->addRow(QStringLiteral("DDE Name"), m_dde);
    browserLayout->addRow(QStringLiteral("Executable File Name"), pathRow);

    auto* mail = Named(new QGroupBox(QStringLiteral("Internet E-Mail"), page), "GroupBox2");
    auto* mailLayout = new QVBoxLayout(mail);
    auto* intro =
        new QLabel(QStringLiteral("Select the method to use for sending E-Mail to an Internet address."), mail);
    intro->setWordWrap(true);
    // Two lines at the dialog's width; a wrapped label does not ask for its height by itself.
    intro->setMinimumHeight(intro->fontMetrics().lineSpacing() * 2 + 4);
    mailLayout->addWidget(intro);
    m_mail[0] = Named(new QRadioButton(QStringLiteral("Use \"mailto\" protocol"), mail), "EMailOpt1");
    m_mail[1] = Named(new QRadioButton(QStringLiteral("Use MS Messaging (MAPI)"), mail), "EMailOpt2");
    m_mail[2] = Named(new QRadioButton(QStringLiteral("Use Web Browser "), mail), "EMailOpt3");
    for (QRadioButton* option : m_mail)
        mailLayout->addWidget(option);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(browser);
    layout->addWidget(mail);
    layout->addStretch();
    return page;
}

QWidget* TOptionPages::BuildToolsPage()
{
    auto* page = Named(new QWidget, "OptSheet2");
    m_toolsList = new ToolListWidget(page);
    connect(m_toolsList, &QListWidget::itemSelectionChanged, this, &TOptionPages::ToolsListClick);
    auto* newTool = NamedButton(QStringLiteral("New"), "NewToolBtn", page);
    auto* delTool = NamedButton(QStringLiteral("Delete"), "DelToolBtn", page);
    connect(newTool, &QPushButton::clicked, this, &TOptionPages::NewToolBtnClick);
    connect(delTool, &QPushButton::clicked, this, &TOptionPages::DelToolBtnClick);

    auto* attributes = Named(new QGroupBox(QStringLiteral("Tool Attributes"), page), "GroupBox3");
    m_description = Named(new QLineEdit(attributes), "Description");
    m_fileName = Named(new QLineEdit(attributes), "FilenameEdit");
    m_arguments = Named(new QLineEdit(attributes), "Arguments");
    m_addressCheck = Named(new QCheckBox(QStringLiteral("Allow address item creation"), attributes), "AddressCheckBox");
    auto* form = new QVBoxLayout(attributes);
    for (auto [label, edit] : {std::pair{"Description", m_description},
                               {"Executable File Name", m_fileName},
                               {"Program Arguments", m_arguments}}) {
        form->addWidget(new QLabel(QString::fromLatin1(label), attributes));
        form->addWidget(edit);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { AttributesChange(edit); });
    }
    form->addWidget(m_addressCheck);
    connect(m_addressCheck, &QCheckBox::clicked, this, [this] { AttributesChange(m_addressCheck); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newTool);
    buttons->addWidget(delTool);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(m_toolsList);
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addWidget(attributes);
    return page;
}

QWidget* TOptionPages::BuildCategoriesPage()
{
    auto* page = Named(new QWidget, "OptSheet3");
    auto* group = Named(new QGroupBox(QStringLiteral("Category Names"), page), "GroupBox4");
    m_catList = Named(new QListWidget(group), "CatList");
    m_catName = Named(new QLineEdit(group), "CatName");
    connect(m_catList, &QListWidget::itemClicked, this, &TOptionPages::CatListClick);
    connect(m_catName, &QLineEdit::editingFinished, this, &TOptionPages::CatNameExit);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_catList);
    layout->addWidget(new QLabel(QStringLiteral("Edit Name:"), group));
    layout->addWidget(m_catName);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(group);
    return page;
}

QWidget* TOptionPages::BuildRemindersPage()
{
    auto* page = Named(new QWidget, "RemindersSheet");
    auto* group = Named(new QGroupBox(QStringLiteral("Due Reminders"), page), "RemindersGroup");
    m_reminderNotifications = Named(
        new QCheckBox(QStringLiteral("&Notify the desktop when a reminder comes due"), group), "ReminderNotifications");
    auto* intro = new QLabel(QStringLiteral("Reminders that come due while Quillary runs, in the tray too, are "
                                            "shown by the desktop's notifications."),
                             group);
    intro->setWordWrap(true);
    intro->setMinimumHeight(intro->fontMetrics().lineSpacing() * 2 + 4);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(intro);
    layout->addWidget(m_reminderNotifications);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(group);
    pageLayout->addStretch();
    return page;
}

QWidget* TOptionPages::BuildButtons(const DialogContext& context)
{
    auto* row = new QWidget(this);
    auto* ok = Named(new QPushButton(QStringLiteral("OK"), row), "OKBtn");
    auto* cancel = NamedButton(QStringLiteral("Cancel"), "CancelBtn", row);
    auto* help = NamedButton(QStringLiteral("&Help"), "HelpBtn", row);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [showHelp = context.showHelp] {
        if (showHelp)
            showHelp(OptionsHelpContext);
    });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(ok);
    layout->addWidget(cancel);
    layout->addWidget(help);
    return row;
}

void TOptionPages::Show(const OptionsValues& values)
{
    m_dde->setCurrentText(FromField(values.browserService));
    m_path->setText(FromField(values.browserPath));
    if (values.mailMethod >= 1 && values.mailMethod <= 3)
        m_mail[values.mailMethod - 1]->setChecked(true);
    m_reminderNotifications->setChecked(values.reminderNotifications);
    for (const std::string& name : values.categories)
        m_catList->addItem(FromField(name));
}

OptionsValues TOptionPages::Values() const
{
    OptionsValues values;
    values.browserService = ToField(m_dde->currentText());
    values.browserPath = ToField(m_path->text());
    values.mailMethod = m_mail[0]->isChecked() ? 1 : m_mail[1]->isChecked() ? 2 : 3;
    values.reminderNotifications = m_reminderNotifications->isChecked();
    for (int i = 0; i < m_catList->count() && i < CategoryCount; ++i)
        values.categories[static_cast<std::size_t>(i)] = ToField(m_catList->item(i)->text());
    return values;
}

void TOptionPages::done(int result)
{
    // An edit still being typed in counts, as it would had the user left it first.
    CommitFocusedEdit();
    QDialog::done(result);
}

void TOptionPages::CommitFocusedEdit()
{
    QWidget* focus = focusWidget();
    if (focus == m_catName)
        CatNameExit();
    else if (focus == m_description || focus == m_fileName || focus == m_arguments)
        AttributesChange(focus);
}

void TOptionPages::SelectPathClick()
{
    const QString picked = PickFile ? PickFile(this, QFileInfo(m_path->text()).path()) : QString();
    if (!picked.isEmpty())
        m_path->setText(picked);
}

void TOptionPages::CatListClick()
{
    const QListWidgetItem* row = m_catList->currentItem();
    if (!row)
        return;
    m_catName->setText(row->text());
    m_catName->setFocus();
}

void TOptionPages::CatNameExit()
{
    QListWidgetItem* row = m_catList->currentItem();
    if (row && row->isSelected() && !m_catName->text().isEmpty())
        row->setText(m_catName->text());
}

void TOptionPages::ToolsListClick()
{
    ShowAttributes();
}

void TOptionPages::ShowAttributes()
{
    const TToolItem* tool = m_toolsList->SelectedTool();
    m_description->setText(tool ? FromField(tool->Description) : QString());
    m_fileName->setText(tool ? FromField(tool->Filename) : QString());
    m_arguments->setText(tool ? FromField(tool->Arguments) : QString());
    m_addressCheck->setChecked(tool && tool->AllowAddressItem);
}

void TOptionPages::AttributesChange(QObject* sender)
{
    TToolItem* tool = m_toolsList->SelectedTool();
    if (!tool)
        return;
    tool->Description = ToField(m_description->text());
    tool->Arguments = ToField(m_arguments->text());
    tool->AllowAddressItem = m_addressCheck->isChecked();
    if (sender == m_fileName) {
        const std::string fileName = ToField(m_fileName->text());
        if (fileName != tool->Filename) {
            tool->Filename = fileName;
            if (tool->ImageIndex < 0)
                tool->ImageIndex = m_icons.AppendFileIcon(fileName);
            else
                m_icons.ReplaceFileIcon(tool->ImageIndex, fileName);
        }
    }
    if (sender == m_fileName || sender == m_description)
        m_toolsList->RefreshSelectedRow();
}

void TOptionPages::NewToolBtnClick()
{
    const QString picked = PickFile ? PickFile(this, ProgramFolder()) : QString();
    if (picked.isEmpty())
        return;
    if (!IsToolProgram(picked)) {
        Questions::Tell(this, QMessageBox::Critical, QStringLiteral("Invalid File Type"),
                        QStringLiteral("Only executable files may be used as Tools"));
        return;
    }
    auto tool = std::make_unique<TToolItem>();
    const std::string path = ToField(picked);
    tool->Description = ToolDescriptionFromPath(path);
    tool->Filename = path;
    tool->ImageIndex = m_icons.AppendFileIcon(path);
    m_toolsList->AddTool(m_tools.Add(std::move(tool)));
    ShowAttributes();
}

void TOptionPages::DelToolBtnClick()
{
    const TToolItem* tool = m_toolsList->SelectedTool();
    if (!tool)
        return;
    m_toolsList->RemoveSelectedRow();
    m_tools.Remove(tool);
}

} // namespace quillary
