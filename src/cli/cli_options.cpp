// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_options.h"

namespace quillary::cli {

std::optional<CliOptions> CliOptions::Parse(const std::vector<std::string>& words, const std::set<std::string>& valued,
                                            const std::set<std::string>& switches, std::string& error)
{
    CliOptions options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            options.m_plain.push_back(word);
        } else if (switches.count(word)) {
            options.m_switches.insert(word);
        } else if (!valued.count(word)) {
            error = "unknown option " + word;
            return std::nullopt;
        } else if (i + 1 == words.size()) {
            error = word + " needs a value";
            return std::nullopt;
        } else {
            options.m_values[word] = words[++i];
        }
    }
    return options;
}

std::optional<CliOptions> CliOptions::ParseOptionsOnly(const std::vector<std::string>& words,
                                                       const std::set<std::string>& valued,
                                                       const std::set<std::string>& switches, std::ostream& err)
{
    std::string problem;
    auto options = Parse(words, valued, switches, problem);
    if (options && !options->m_plain.empty())
        problem = "unexpected " + options->m_plain.front();
    if (!options || !options->m_plain.empty()) {
        err << "quillary-cli: " << problem << "\n";
        return std::nullopt;
    }
    return options;
}

std::optional<std::string> CliOptions::Value(const std::string& name) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::string CliOptions::ValueOr(const std::string& name, const std::string& fallback) const
{
    return Value(name).value_or(fallback);
}

} // namespace quillary::cli
