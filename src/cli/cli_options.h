// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace quillary::cli {

// The words of one command after its name: "--name value" options, "--name" switches and the
// plain words in order.
class CliOptions
{
public:
    // Fails (none, with the reason in error) on an option that is not in either set or that
    // lacks its value.
    static std::optional<CliOptions> Parse(const std::vector<std::string>& words, const std::set<std::string>& valued,
                                           const std::set<std::string>& switches, std::string& error);

    // The same for commands that take no plain words; what is wrong goes to err.
    static std::optional<CliOptions> ParseOptionsOnly(const std::vector<std::string>& words,
                                                      const std::set<std::string>& valued,
                                                      const std::set<std::string>& switches, std::ostream& err);
    std::optional<std::string> Value(const std::string& name) const;
    std::string ValueOr(const std::string& name, const std::string& fallback) const;
    bool Has(const std::string& name) const { return m_switches.count(name) != 0; }
    const std::vector<std::string>& Plain() const { return m_plain; }

private:
    std::map<std::string, std::string> m_values;
    std::set<std::string> m_switches;
    std::vector<std::string> m_plain;
};

} // namespace quillary::cli
