// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QStringList>

class QFileSystemModel;

namespace quillary {

// The wizards' file list: the files of one folder that match the masks ("*.zkd"; compared
// without regard to case, as files brought from other systems may be named in capitals).
class FileList : public QListView
{
    Q_OBJECT

public:
    FileList(const QString& name, const QStringList& masks, QWidget* parent = nullptr);

    void SetDirectory(const QString& directory);
    void SetMasks(const QStringList& masks);
    // The chosen file's full path, or empty when none is chosen.
    QString FileName() const { return m_fileName; }
    // Shows the file's folder and chooses the file.
    void SetFileName(const QString& path);

private:
    QFileSystemModel* m_model;
    QString m_directory;
    QString m_fileName;
};

// The filter list under a file list: "text|masks|text|masks...", masks separated by ";".
// Choosing a filter gives its masks to the file list.
class FileFilterCombo : public QComboBox
{
    Q_OBJECT

public:
    FileFilterCombo(const QString& name, const QString& filters, FileList* files, QWidget* parent = nullptr);
};

// A label that shows a path shortened in the middle to fit its width; the tool tip holds it whole.
class PathLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PathLabel(const QString& name, QWidget* parent = nullptr);
    void SetPath(const QString& path);
    QString Path() const { return m_path; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();
    QString m_path;
};

} // namespace quillary
