// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// Why a text cannot be mailed to as it stands, or none for a plain address "local@domain".
// Addresses reach the mail composer's command line and "mailto:" links, so the rule is strict:
// the local part holds letters, digits, UTF-8 and ".!#$%&'*+-/=?^_`{|}~" and does not start with
// "-" (it would read as an option) or "."; the domain holds letters, digits, UTF-8, "-" and ".".
// So "mailto:x@y?attach=/etc/shadow" or "--attach@x" are refused.
std::optional<std::string> MailAddressProblem(std::string_view address);

// The message that refuses a mail to address, naming it (shortened when it is long).
std::string RefusedAddressMessage(std::string_view address, std::string_view problem);

} // namespace quillary
