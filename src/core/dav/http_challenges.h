// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// One challenge of a WWW-Authenticate field: its scheme in lower case ("basic", "digest") and its
// parameters by lower-case name, quoted strings undone.
struct HttpChallenge
{
    std::string scheme;
    std::map<std::string, std::string> parameters;
    std::string Parameter(const std::string& name) const;
};

// The challenges of WWW-Authenticate fields, in order: one field may hold several
// ("Digest realm="a", nonce="b", Basic realm="a"").
std::vector<HttpChallenge> ParseChallenges(const std::vector<std::string_view>& fields);

} // namespace quillary
