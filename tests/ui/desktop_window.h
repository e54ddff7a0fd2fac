// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the program puts it together: the desktop's services and the document over
// a data file first, then the window over both; they go in the opposite order.
#pragma once

#include "app/desktop_services.h"
#include "ui/shell/contact_document.h"
#include "ui/shell/main_form.h"

namespace quillary {

struct DesktopWindowParts
{
    DesktopWindowParts(TProfileFile& settings, const QString& dataFile, const Clock* clock)
        : desktop(settings, clock), document(dataFile, desktop.ItemDesk(), settings)
    {
    }
    DesktopServices desktop;
    ContactDocument document;
};

class DesktopWindow final : private DesktopWindowParts, public TMainForm
{
public:
    DesktopWindow(TProfileFile& settings, const QString& dataFile, QWidget* parent = nullptr,
                  const Clock* clock = nullptr)
        : DesktopWindowParts(settings, dataFile, clock), TMainForm(settings, document, desktop, parent)
    {
    }
};

} // namespace quillary
