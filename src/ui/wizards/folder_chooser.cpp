// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/folder_chooser.h"

#include "ui/plain_text.h"

#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace quillary {

FolderChooser::FolderChooser(QWidget* parent) : QWidget(parent)
{
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_model->setRootPath(QDir::rootPath());

    m_pathLabel = AsPlainText(new QLabel(this));
    // A long path must not widen the page.
    m_pathLabel->setMinimumWidth(1);
    m_pathLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    m_view = new QTreeView(this);
    m_view->setAccessibleName(QStringLiteral("Folders"));
    m_view->setModel(m_model);
    m_view->setRootIndex(m_model->index(QDir::rootPath()));
    m_view->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_view->hideColumn(column);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_pathLabel);
    layout->addWidget(m_view, 1);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            Choose(m_model->filePath(current));
    });
}

void FolderChooser::SetDirectory(const QString& path)
{
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    Choose(folder);
    const QModelIndex index = m_model->index(folder);
    if (!index.isValid())
        return; // a hidden or missing folder is kept as the choice without a row to show
    m_view->setCurrentIndex(index);
    m_view->expand(index);
    m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FolderChooser::Choose(const QString& path)
{
    if (path == m_directory)
        return;
    m_directory = path;
    ShowPath();
    emit DirectoryChanged(path);
}

void FolderChooser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ShowPath();
}

void FolderChooser::ShowPath()
{
    // A long path keeps its end, the folder itself, in view; the tool tip holds all of it.
    const QString shown = QDir::toNativeSeparators(m_directory);
    m_pathLabel->setToolTip(PlainToolTip(shown));
    m_pathLabel->setText(m_pathLabel->fontMetrics().elidedText(shown, Qt::ElideLeft, width()));
}

} // namespace quillary
