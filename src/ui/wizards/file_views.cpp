// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/file_views.h"

#include "ui/plain_text.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>

namespace quillary {

FileList::FileList(const QString& name, const QStringList& masks, QWidget* parent)
    : QListView(parent), m_model(new QFileSystemModel(this))
{
    setObjectName(name);
    setAccessibleName(QStringLiteral("Files"));
    // Without QDir::CaseSensitive the masks match names in any case.
    m_model->setFilter(QDir::Files);
    m_model->setNameFilterDisables(false);
    m_model->setNameFilters(masks);
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            m_fileName = m_model->filePath(current);
    });
}

void FileList::SetDirectory(const QString& directory)
{
    const QString clean = QDir::cleanPath(QDir(directory).absolutePath());
    if (clean == m_directory)
        return;
    m_directory = clean;
    selectionModel()->clear();
    m_fileName.clear();
    setRootIndex(m_model->setRootPath(clean));
}

void FileList::SetMasks(const QStringList& masks)
{
    m_model->setNameFilters(masks);
    if (!m_fileName.isEmpty() && !QDir::match(masks, QFileInfo(m_fileName).fileName())) {
        selectionModel()->clear();
        m_fileName.clear();
    }
}

void FileList::SetFileName(const QString& path)
{
    const QFileInfo file(path);
    SetDirectory(file.absolutePath());
    m_fileName = file.absoluteFilePath();
    const QModelIndex index = m_model->index(m_fileName);
    if (index.isValid())
        setCurrentIndex(index);
}

FileFilterCombo::FileFilterCombo(const QString& name, const QString& filters, FileList* files, QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(name);
    const QStringList parts = filters.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2)
        addItem(parts[i], parts[i + 1].split(QLatin1Char(';')));
    files->SetMasks(currentData().toStringList());
    connect(this, &QComboBox::currentIndexChanged, files,
            [this, files] { files->SetMasks(currentData().toStringList()); });
}

PathLabel::PathLabel(const QString& name, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    AsPlainText(this);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    // The path never widens the page: it is shortened to the width the page gives it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void PathLabel::SetPath(const QString& path)
{
    m_path = path;
    setToolTip(PlainToolTip(path));
    Elide();
}

QSize PathLabel::minimumSizeHint() const
{
    return {40, QLabel::minimumSizeHint().height()};
}

void PathLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void PathLabel::Elide()
{
    setText(fontMetrics().elidedText(m_path, Qt::ElideMiddle, contentsRect().width()));
}

} // namespace quillary
