// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// An INI file with profile semantics: "[Section]" lines followed by "key=value" lines.
//
// - Section and key names are compared without regard to ASCII case; the first match wins.
// - Values are kept raw: only the blanks around the key name and right after "=" are dropped,
//   nothing is unquoted or unescaped, so a value may hold "=", ";" or quotes.
// - Lines that are not "key=value" (comments, blank lines, text before the first section) are
//   kept and written back as they were.
// - A missing or unreadable file reads as empty, so every read gives its default.
// - A file that exists but cannot be read (no permission, a folder, an input-output error) is
//   never written: its content is unknown, and defaults must not replace it. State() tells, so
//   the user can be told.
//
// Reads and writes work on the content in memory; Flush() writes the whole file in one atomic
// step. Callers write a group of keys and then flush once, instead of rewriting the file per key.
class TProfileFile
{
public:
    enum class LoadState { Missing, Loaded, Unreadable };

    explicit TProfileFile(std::filesystem::path path);

    // Content taken from a text instead of the file (the file is still where Flush writes).
    static TProfileFile FromText(std::filesystem::path path, std::string_view text);

    const std::filesystem::path& Path() const { return m_path; }
    LoadState State() const { return m_state; }
    // Why an unreadable file could not be read ("Permission denied"); empty otherwise.
    const std::string& ReadProblem() const { return m_readProblem; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A present value is read as a decimal integer: leading blanks, an optional sign, the digits up to
    // the first other character; a value without digits reads as 0. A missing key gives the fallback.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    bool HasSection(std::string_view section) const;
    // The key names of a section in file order, spelled as in the file.
    std::vector<std::string> SectionKeys(std::string_view section) const;

    // A new key goes after the last key of its section; a new section goes to the end of the file.
    // Line breaks in names and values become blanks, so a write can never add lines; leading blanks
    // of a value are dropped, as reading the file back would drop them.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view section);

    // True when the content differs from what was last loaded or flushed.
    bool IsDirty() const { return m_dirty; }
    // The whole file as Flush writes it, lines ended by CR LF.
    std::string Text() const;
    // Writes the file when it is dirty (creating its folder, private, if needed); throws FileError
    // when that fails, and the content stays dirty. An unreadable file is left alone: nothing is
    // written and the content stays dirty.
    void Flush();

private:
    struct Line
    {
        std::string text; // the whole line as written
        std::string key;  // empty for lines that are not "key=value"
        std::string value;
    };
    struct Section
    {
        std::string name;
        std::string header;
        std::vector<Line> lines;
    };

    TProfileFile(std::filesystem::path path, std::string_view text);
    void Load();
    void Parse(std::string_view text);
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    static const Line* FindKey(const Section& section, std::string_view key);
    Section& SectionForWrite(std::string_view name);

    std::filesystem::path m_path;
    std::vector<std::string> m_preamble; // lines before the first section
    std::vector<Section> m_sections;
    bool m_dirty = false;
    LoadState m_state = LoadState::Loaded;
    std::string m_readProblem;
};

} // namespace quillary
