// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillary {

// The process holds a password from now on: no core dump may carry it (an abort on a desktop
// that keeps dumps would write it to disk), and no other process of the user may read its memory.
// Stays so for the process's life.
void MarkProcessHoldingSecrets();

// Whether the process is marked.
bool ProcessHoldsSecrets();

} // namespace quillary
