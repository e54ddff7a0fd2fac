// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace quillary {

struct SyncReport;

// What a run needs the user to see: the contacts whose differing values were both kept, or the
// deletions it refused to make. For a refused mass deletion, Accept means "go ahead with the
// deletions" and Reject "keep everything and stop synchronizing this account until I decide".
class SyncAttentionDialog final : public QDialog
{
    Q_OBJECT

public:
    SyncAttentionDialog(QWidget* parent, const QString& account, const SyncReport& report);
};

} // namespace quillary
