// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_credentials.h"

#include <cstdlib>

namespace quillary {

PasswordResult PasswordFromEnvironment(const std::string& variable)
{
    const char* value =
        variable.empty() || variable.find('=') != std::string::npos ? nullptr : std::getenv(variable.c_str());
    if (value == nullptr)
        return {PasswordOutcome::NotFound, {}, "The environment variable \"" + variable + "\" is not set."};
    return {PasswordOutcome::Found, value, {}};
}

} // namespace quillary
