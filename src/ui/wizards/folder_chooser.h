// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QFileSystemModel;
class QLabel;
class QTreeView;

namespace quillary {

// Picks the folder a wizard writes into: the folders of the whole file system as a tree, with
// the chosen folder's path shown above it. The chosen folder is kept as a path of its own, so
// it is known at once, also before the tree has read the disk.
class FolderChooser : public QWidget
{
    Q_OBJECT

public:
    explicit FolderChooser(QWidget* parent = nullptr);

    QString Directory() const { return m_directory; }
    // Chooses path and shows it opened and selected in the tree.
    void SetDirectory(const QString& path);
    QTreeView* View() const { return m_view; }

signals:
    void DirectoryChanged(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Choose(const QString& path);
    void ShowPath();

    QFileSystemModel* m_model = nullptr;
    QTreeView* m_view = nullptr;
    QLabel* m_pathLabel = nullptr;
    QString m_directory;
};

} // namespace quillary
