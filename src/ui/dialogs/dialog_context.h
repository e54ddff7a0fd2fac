// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

namespace quillary {

// What every edit dialog needs from the main window: a parent, the help viewer and the 32
// category names (for the category pop-up).
struct DialogContext
{
    QWidget* parent = nullptr;
    std::function<void(int context)> showHelp;
    std::function<std::array<QString, 32>()> categoryNames;
};

// The help topic of every edit dialog.
inline constexpr int EditDialogHelpContext = 1039;

} // namespace quillary
