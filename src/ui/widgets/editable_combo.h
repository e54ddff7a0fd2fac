// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;

namespace quillary {

// Makes the box editable and gives the line in it, which a screen reader reads as a text box of
// its own, the box's name: its accessible name, or else its label's text. The label may come
// after the box (a form row), so the name is taken each time the box is shown.
void MakeEditable(QComboBox& box);

} // namespace quillary
