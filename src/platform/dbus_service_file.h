// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillary {

// The session bus's activation file for the automation service: with it, a client's call to
// "Zelk.Application" starts the program with the word "AUTOMATION" when no copy runs.
// It lives in $XDG_DATA_HOME/dbus-1/services ($HOME/.local/share when the variable is unset).
QString DBusServiceFilePath();

// Writes the file naming program (an absolute path) as the one to start; false when program is not
// absolute or the file cannot be written.
bool WriteDBusServiceFile(const QString& program);

// Removes the file; true also when there was none.
bool RemoveDBusServiceFile();

// The program's own absolute file name, read from the system without needing an application object.
QString OwnProgramPath();

} // namespace quillary
