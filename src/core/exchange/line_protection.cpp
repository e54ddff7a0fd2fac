// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/line_protection.h"

#include "common/comma_text.h"
#include "common/field_limits.h"

namespace quillary {

namespace {
std::size_t CommasOutsideQuotes(std::string_view line)
{
    std::size_t commas = 0;
    bool inside = false;
    for (const char c : line) {
        if (c == '"')
            inside = !inside;
        else if (c == ',' && !inside)
            ++commas;
    }
    return commas;
}
} // namespace

std::string ProtectLine(std::string_view line)
{
    std::string out;
    out.reserve(line.size() + line.size() / 4 + 2);
    if (line.empty() || line.front() != '"')
        out += '"';
    bool inside = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            inside = !inside;
        if (c != ',' || inside) {
            out += c;
            continue;
        }
        // Neighbours are judged in the row as given, not as protected so far: ",," still gets an
        // empty quoted field between its commas.
        if (i == 0 || line[i - 1] != '"')
            out += '"';
        out += ',';
        if (i + 1 < line.size() && line[i + 1] != '"')
            out += '"';
    }
    if (out.back() != '"')
        out += '"';
    return out;
}

std::vector<std::string> SplitProtectedLine(std::string_view line)
{
    if (line.empty())
        return {};
    if (CommasOutsideQuotes(line) >= MaxFieldsPerRow)
        return std::vector<std::string>(MaxFieldsPerRow + 1);
    return SplitCommaText(ProtectLine(line), MaxFieldsPerRow);
}

} // namespace quillary
