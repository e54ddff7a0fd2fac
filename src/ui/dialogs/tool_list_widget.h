// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

namespace quillary {

class QtIconStore;
class TToolItems;
struct TToolItem;

// The tools as rows 36 pixels high, each with the tool's icon and its description. A row holds
// a pointer to its tool and reads the tool's current text and picture when it is painted, so a
// repaint shows edits. The tools list must outlive the rows.
class ToolListWidget : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int RowHeight = 36;

    explicit ToolListWidget(QWidget* parent = nullptr);

    void Fill(const TToolItems& tools, const QtIconStore& icons);
    // Appends a row for the tool and selects it.
    void AddTool(const TToolItem& tool);
    // Deletes the selected row; the tool itself is the caller's.
    void RemoveSelectedRow();
    // Shows the selected tool's current description and picture.
    void RefreshSelectedRow();

    // The selected row's tool, or nullptr when no row is selected.
    TToolItem* SelectedTool() const;
    static TToolItem* ToolOf(const QListWidgetItem* row);

    const QtIconStore* Icons() const { return m_icons; }

private:
    const QtIconStore* m_icons = nullptr;
};

} // namespace quillary
