// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_services.h"

namespace quillary {

class ActionPrompts;

// Dialling hands a "tel:" address to the desktop's handler (a phone link, a softphone). Only the
// number travels in the address; the application name, called party and comment have no place in it.
class DesktopTelephony final : public Telephony
{
public:
    // A number with nothing to dial is refused with a message through prompts.
    explicit DesktopTelephony(ActionPrompts& prompts) : m_prompts(prompts) {}

    // 0 when a handler took the number; negative when there is nothing to dial or no handler.
    int RequestMakeCall(const std::string& number, const std::string& appName, const std::string& calledParty,
                        const std::string& comment) override;

private:
    ActionPrompts& m_prompts;
};

} // namespace quillary
