// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_services.h"

namespace quillary {

// The desktop's "open": programs are started directly with their parameters split into words
// (never through a command interpreter, so quotes, semicolons and the like in item text stay
// plain arguments); anything else goes to the desktop's handler for the file or address.
class QtShell : public Shell
{
public:
    // Text in UTF-8. A file that is not a program is opened without the parameters.
    void Open(const std::string& file, const std::string& parameters, const std::string& directory) override;
    // A local file, a program included, goes to the desktop's handler as a file address; an
    // address only when it is a web or mail address (IsOpenableLink) or a "file:" address.
    void OpenDocument(const std::string& file) override;
};

} // namespace quillary
