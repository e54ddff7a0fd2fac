// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

// The two boxes the outward actions show: a Yes/No/Cancel confirmation and an error with OK.
class ActionPrompts
{
public:
    virtual ~ActionPrompts() = default;
    // True only when the user answers Yes.
    virtual bool Confirm(const std::string& text) = 0;
    virtual void ShowError(const std::string& text) = 0;
};

} // namespace quillary
