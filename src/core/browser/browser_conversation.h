// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace quillary {

// One request of a client conversation with a web browser: a service names the browser, a topic
// the kind of request, the item its argument.
class BrowserConversation
{
public:
    virtual ~BrowserConversation() = default;
    // The reply text, or none when no server of the service answers. When application is not
    // empty and nobody answers, that program is started first and asked once it is up.
    virtual std::optional<std::string> Request(const std::string& service, const std::string& topic,
                                               const std::string& item, const std::string& application) = 0;
};

} // namespace quillary
