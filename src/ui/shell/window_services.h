// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_services.h"

class QWidget;

namespace quillary {

class ActionPrompts;
class QtBrowser;
class QtIconStore;
class SimpleMessaging;

// The desktop as the main window reaches it: made before the window by whoever starts the
// program (or a test), and living longer than the window.
class WindowServices
{
public:
    virtual ~WindowServices() = default;

    // The window over which the services ask and tell, once it exists; none when it is gone.
    virtual void SetWindow(QWidget* window) = 0;
    virtual QtIconStore& Icons() = 0;
    virtual QtBrowser& Browser() = 0;
    virtual SimpleMessaging& Messaging() = 0;
    virtual ActionPrompts& Prompts() = 0;
    // What the tree's items reach the desktop through: telephony, shell, icons, clipboard, the
    // clock and the date locale. The window adds itself, its dialogs, actions and tools.
    virtual ItemServices ItemDesk() = 0;
};

} // namespace quillary
