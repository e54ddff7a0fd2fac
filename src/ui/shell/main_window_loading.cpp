// SPDX-License-Identifier: GPL-3.0-or-later
// The main window while a large data file is read: the progress in the status bar, the views and
// the commands that read or change the tree held back until the whole tree is there.
#include "ui/shell/main_form.h"

#include "ui/shell/data_file_loading.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace quillary {

namespace {
// The bar counts in thousandths: a file of several gigabytes does not fit its int range in bytes.
constexpr int LoadBarSteps = 1000;
} // namespace

bool TMainForm::IsLoading() const
{
    return m_document.IsLoading();
}

DataFileRead TMainForm::LoadResult() const
{
    return m_document.LoadResult();
}

QAction* TMainForm::UsableWhileLoading(QAction* action)
{
    m_usableWhileLoading.push_back(action);
    return action;
}

void TMainForm::ShowLoading()
{
    // A menu's own entry stays: the menu opens, its commands are what is disabled. The bars' own
    // entries (hide, show) touch no item either.
    std::vector<QAction*> usable = m_usableWhileLoading;
    for (const QMenu* menu : findChildren<QMenu*>())
        if (menu->menuAction()->parent() == menu) // not a command's own button (the tools' one)
            usable.push_back(menu->menuAction());
    for (const QToolBar* bar : findChildren<QToolBar*>())
        usable.push_back(bar->toggleViewAction());
    for (QAction* action : findChildren<QAction*>())
        if (action->isEnabled() && std::ranges::find(usable, action) == usable.end()) {
            action->setEnabled(false);
            m_disabledWhileLoading.emplace_back(action);
        }
    // The panes (the folder tree, the categories, the item list) and the find box wait.
    centralWidget()->setEnabled(false);
    m_findEdit->setEnabled(false);
    // The desktop's way: what is shown, then the program's name; the task bar tells it too.
    setWindowTitle(QStringLiteral("Reading %1\u2026 \u2014 Quillary").arg(QFileInfo(DataFile()).fileName()));
    m_loadBar = new QProgressBar(this);
    m_loadBar->setObjectName(QStringLiteral("LoadProgress"));
    m_loadBar->setAccessibleName(QStringLiteral("Reading the data file"));
    m_loadBar->setRange(0, LoadBarSteps);
    m_loadBar->setFormat(QStringLiteral("Reading %1\u2026 %p%").arg(QFileInfo(DataFile()).fileName()));
    m_loadBar->setToolTip(QStringLiteral("Closing the window now ends Quillary and leaves the file as it is."));
    m_loadBar->setMinimumWidth(260);
    statusBar()->addPermanentWidget(m_loadBar);
    connect(&Loading(), &DataFileLoading::Progress, this, &TMainForm::ShowLoadProgress);
    connect(&Loading(), &DataFileLoading::Finished, this, &TMainForm::LoadingEnded);
}

void TMainForm::ShowLoadProgress(qint64 bytesRead, qint64 size)
{
    const double share = size > 0 ? static_cast<double>(bytesRead) / static_cast<double>(size) : 1.0;
    m_loadBar->setValue(static_cast<int>(std::clamp(share, 0.0, 1.0) * LoadBarSteps));
}

void TMainForm::LoadingEnded()
{
    for (const QPointer<QAction>& action : std::as_const(m_disabledWhileLoading))
        if (action)
            action->setEnabled(true);
    m_disabledWhileLoading.clear();
    centralWidget()->setEnabled(true);
    m_findEdit->setEnabled(true);
    delete m_loadBar;
    m_loadBar = nullptr;
    setWindowTitle(QStringLiteral("Quillary"));
    ShowWholeTree();
    emit LoadFinished();
}

} // namespace quillary
