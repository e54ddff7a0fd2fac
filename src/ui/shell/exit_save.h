// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

#include <functional>

namespace quillary {

class DataFileSession;
class ItemTree;

// The data file's part of the program's end. An end the user asked for ("Exit") writes the data
// file, and when that fails (full disk, read-only folder) or this copy is read-only it offers
// Retry, Save As..., Discard and Cancel (back to the program) instead of losing the session. An
// end nobody waits on (a signal, the logout, an unhandled exception) never shows a box: the
// changes go to the recovery copy first (or the second place), then the data file is written.
class TExitSave
{
public:
    // unattended says, whenever asked, whether the end was asked by a signal or the like; it may
    // turn true while a box is up (a SIGTERM then), which ends the box and the program.
    TExitSave(QWidget* parent, ItemTree& tree, DataFileSession& session, std::function<bool()> unattended);

    // True when the program may end now; false when the user chose to go back to it.
    bool Run();

private:
    enum class Choice { Retry, SaveAs, Discard, Cancel };
    bool RunUnattended();
    // Writes the data file; false, with the reason in problem, when that failed.
    bool TrySave(QString& problem);
    Choice AskAfterFailure(const QString& problem);
    Choice AskReadOnly();
    Choice Ask(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton byDefault);
    // Writes the tree to a file the user names; false when none was named or writing failed.
    bool SaveAs();

    QWidget* m_parent;
    ItemTree& m_tree;
    DataFileSession& m_session;
    std::function<bool()> m_unattended;
};

} // namespace quillary
