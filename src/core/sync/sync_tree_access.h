// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace quillary {

// Where the tree lives. A run reads and changes the tree only in pieces of work handed to Run,
// and sends its requests between them: on the desktop the pieces run on the thread that owns the
// window (the user goes on working between them), in the command line and in tests right away.
class SyncTreeAccess
{
public:
    virtual ~SyncTreeAccess() = default;
    // Runs work where the tree lives and returns once it is done; exceptions reach the caller.
    virtual void Run(const std::function<void()>& work) = 0;
};

} // namespace quillary
