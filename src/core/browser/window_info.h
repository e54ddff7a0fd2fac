// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// The page shown in the browser's active window.
struct WindowInfo
{
    std::string address;
    std::string title;
};

// Reads a "WWW_GetWindowInfo" reply: a quoted address, a comma and a quoted title, possibly more
// fields. A title framed as "Netscape - [Title]" loses the frame. Any text gives some result.
WindowInfo ParseWindowInfo(std::string_view reply);

} // namespace quillary
