// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace quillary {

// A call of an automation client that could not be carried out; the message is for the client.
class AutomationError : public std::runtime_error
{
public:
    explicit AutomationError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace quillary
