// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actions/simple_messaging.h"

#include <string>

namespace quillary {

class ActionPrompts;
class TFaxObject;

inline constexpr const char* FaxFailedMessage = "MAPI Error. Unable to send Fax using Windows Messaging Services";

// The fax to one number: the recipient "FAX:" and the number, named by the fax's title, and the
// document as the one attachment when it exists (a missing document sends the fax without it).
mapi::Message FaxMessage(const TFaxObject& item, const std::string& document);

// Sends the fax through the messaging service, which shows its own logon and send dialogs; a
// failure is shown to the user. Returns the service's result.
int SendFaxAction(const TFaxObject& item, const std::string& document, SimpleMessaging& messaging,
                  ActionPrompts& prompts);

} // namespace quillary
