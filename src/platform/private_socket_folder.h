// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillary {

// The folder that holds the running copy's socket: one that only this user can reach, so no
// other user can answer in the running copy's place or take its socket's name.
struct SocketFolderChoice
{
    QString path;    // empty when no safe folder was found
    QString problem; // why, naming the folder, when path is empty
};

// $XDG_RUNTIME_DIR when it is a folder of this user's that nobody else may enter; otherwise
// "quillary-<uid>" in the temporary folder, made with mode 0700 when missing and used only when
// it is a real folder (no link) owned by this user with no access for others (a folder of the
// user's own with a wider mode is narrowed to 0700 first).
SocketFolderChoice PrivateSocketFolder();

} // namespace quillary
