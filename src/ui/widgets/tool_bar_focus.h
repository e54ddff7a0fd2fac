// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QToolBar;

namespace quillary {

// Lets Tab reach the bar's buttons, those it has and those it gets later, so that a keyboard
// alone works every command of the bar. A click still leaves the focus where it was.
void LetTabReachToolButtons(QToolBar& bar);

} // namespace quillary
