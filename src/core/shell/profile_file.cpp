// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/profile_file.h"

#include "common/ascii_case.h"
#include "common/atomic_file.h"
#include "common/file_error.h"
#include "common/private_folders.h"
#include "model/field_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <utility>

namespace quillary {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view LineEnd = "\r\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view Trim(std::string_view text)
{
    text = TrimLeft(text);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A name can hold neither a line break nor the character that ends it in the file ("]" for a
// section, "=" for a key); such characters become blanks, in writes and lookups alike.
std::string CleanName(std::string_view name, char terminator)
{
    std::string clean(Trim(name));
    std::replace_if(
        clean.begin(), clean.end(), [&](char c) { return c == '\r' || c == '\n' || c == terminator; }, ' ');
    return std::string(Trim(clean));
}

std::string CleanValue(std::string_view value)
{
    std::string clean(value);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return std::string(TrimLeft(clean));
}

bool IsComment(std::string_view body)
{
    return !body.empty() && (body.front() == ';' || body.front() == '#');
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    while (text.starts_with(Utf8Bom))
        text.remove_prefix(Utf8Bom.size());
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

// The file's text, or the errno that stopped the reading (ENOENT when there is no file). POSIX
// tells a missing file from one that cannot be read, and a folder from a file.
std::string ReadWholeFile(const std::filesystem::path& path, int& error)
{
    error = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return {};
    }
    std::string text;
    char block[16 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        if (got <= 0)
            break;
        text.append(block, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}

template <typename Lines> auto FindLine(Lines& lines, std::string_view key)
{
    return std::find_if(lines.begin(), lines.end(),
                        [&](const auto& line) { return !line.key.empty() && EqualsNoCase(line.key, key); });
}

} // namespace

TProfileFile::TProfileFile(std::filesystem::path path) : m_path(std::move(path))
{
    Load();
}

void TProfileFile::Load()
{
    int error = 0;
    const std::string text = ReadWholeFile(m_path, error);
    if (error == ENOENT || error == ENOTDIR) {
        m_state = LoadState::Missing;
    } else if (error != 0) {
        m_state = LoadState::Unreadable;
        m_readProblem = std::strerror(error);
    } else {
        Parse(text);
    }
}

TProfileFile TProfileFile::FromText(std::filesystem::path path, std::string_view text)
{
    return TProfileFile(std::move(path), text);
}

TProfileFile::TProfileFile(std::filesystem::path path, std::string_view text) : m_path(std::move(path))
{
    Parse(text);
}

void TProfileFile::Parse(std::string_view text)
{
    for (const std::string_view line : SplitLines(text)) {
        const std::string_view body = TrimLeft(line);
        if (body.starts_with('[')) {
            const std::string_view name = body.substr(1, body.find(']') - 1);
            m_sections.push_back({std::string(Trim(name)), std::string(line), {}});
            continue;
        }
        if (m_sections.empty()) {
            m_preamble.emplace_back(line);
            continue;
        }
        const std::size_t equals = body.find('=');
        const std::string_view key = equals == std::string_view::npos ? "" : Trim(body.substr(0, equals));
        if (IsComment(body) || key.empty())
            m_sections.back().lines.push_back({std::string(line), {}, {}});
        else
            m_sections.back().lines.push_back(
                {std::string(line), std::string(key), std::string(TrimLeft(body.substr(equals + 1)))});
    }
}

const TProfileFile::Section* TProfileFile::FindSection(std::string_view name) const
{
    const std::string clean = CleanName(name, ']');
    const auto found = std::find_if(m_sections.begin(), m_sections.end(),
                                    [&](const Section& s) { return EqualsNoCase(s.name, clean); });
    return found == m_sections.end() ? nullptr : &*found;
}

TProfileFile::Section* TProfileFile::FindSection(std::string_view name)
{
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const TProfileFile::Line* TProfileFile::FindKey(const Section& section, std::string_view key)
{
    const auto found = FindLine(section.lines, CleanName(key, '='));
    return found == section.lines.end() ? nullptr : &*found;
}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const Section* found = FindSection(section);
    const Line* line = found ? FindKey(*found, key) : nullptr;
    return std::string(line ? std::string_view(line->value) : fallback);
}

std::int32_t TProfileFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const
{
    const Section* found = FindSection(section);
    const Line* line = found ? FindKey(*found, key) : nullptr;
    return line ? ParseLenientInt(line->value) : fallback;
}

bool TProfileFile::HasSection(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

std::vector<std::string> TProfileFile::SectionKeys(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section))
        for (const Line& line : found->lines)
            if (!line.key.empty())
                keys.push_back(line.key);
    return keys;
}

TProfileFile::Section& TProfileFile::SectionForWrite(std::string_view name)
{
    if (Section* found = FindSection(name))
        return *found;
    const std::string clean = CleanName(name, ']');
    m_sections.push_back({clean, '[' + clean + ']', {}});
    m_dirty = true;
    return m_sections.back();
}

void TProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string cleanKey = CleanName(key, '=');
    const std::string cleanValue = CleanValue(value);
    Section& target = SectionForWrite(section);
    const auto found = FindLine(target.lines, cleanKey);
    if (found != target.lines.end()) {
        if (found->value == cleanValue)
            return;
        found->value = cleanValue;
        found->text = found->key + '=' + cleanValue;
    } else {
        const auto lastKey =
            std::find_if(target.lines.rbegin(), target.lines.rend(), [](const Line& l) { return !l.key.empty(); });
        target.lines.insert(lastKey.base(), {cleanKey + '=' + cleanValue, cleanKey, cleanValue});
    }
    m_dirty = true;
}

void TProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TProfileFile::EraseSection(std::string_view section)
{
    const std::string clean = CleanName(section, ']');
    const auto erased = std::erase_if(m_sections, [&](const Section& s) { return EqualsNoCase(s.name, clean); });
    m_dirty = m_dirty || erased > 0;
}

std::string TProfileFile::Text() const
{
    std::string text;
    const auto append = [&](const std::string& line) {
        text += line;
        text += LineEnd;
    };
    std::for_each(m_preamble.begin(), m_preamble.end(), append);
    for (const Section& section : m_sections) {
        append(section.header);
        for (const Line& line : section.lines)
            append(line.text);
    }
    return text;
}

void TProfileFile::Flush()
{
    if (!m_dirty || m_state == LoadState::Unreadable)
        return;
    if (m_path.has_parent_path())
        CreatePrivateFolders(m_path.parent_path());
    const std::string text = Text();
    WriteFileAtomically(m_path, [&](std::ostream& out) { out << text; });
    m_dirty = false;
}

} // namespace quillary
