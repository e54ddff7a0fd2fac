// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quillary {

class ActionPrompts;
class Shell;
class SimpleMessaging;
class TEMailObject;
class TKPXObject;

// Ways of sending mail to one Internet address ("Settings"/"INetMail"); an absent key reads as
// NoInternetMailChoice, which uses the messaging service but still asks before mailing several.
enum InternetMail { NoInternetMailChoice = 0, MailtoLinkMail = 1, MessagingMail = 2, BrowserMail = 3 };

inline constexpr const char* MultipleRecipientsQuestion =
    "Mailing to multiple recipients requires use of the Windows Messaging API (MAPI). Do you want to "
    "continue and use MAPI?";

struct MailServices
{
    SimpleMessaging& messaging;
    Shell& shell;
    ActionPrompts& prompts;
    // Opens an address in the web browser.
    std::function<void(const std::string&)> openInBrowser;
};

// Sends mail for an e-mail item. listRows are the item list's selected rows when the list is the
// active pane (empty otherwise): two or more recipients among them go through the messaging
// service together. attachment may be empty.
void SendMailAction(const TEMailObject& item, const std::string& attachment, int internetMail,
                    const std::vector<const TKPXObject*>& listRows, const MailServices& services);

} // namespace quillary
