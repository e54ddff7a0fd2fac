// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/internet_shortcut.h"

#include "common/ascii_case.h"
#include "common/path_text.h"
#include "common/text_line_reader.h"
#include "exchange/source_file.h"

#include <charconv>
#include <optional>

namespace quillary {

namespace {

constexpr std::string_view ShortcutExtension = ".url";
constexpr int ShowMaximized = 3;
constexpr int ShowMinimized = 7;
constexpr int ShowNormal = 1;

// The extension of the file-name part, from its last "." on; "" when it has none.
std::string_view Extension(std::string_view path)
{
    const std::string_view name = path.substr(path.size() - ExtractFileName(path).size());
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string JoinPath(const std::string& folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    return folder.ends_with('/') ? folder + std::string(name) : folder + "/" + std::string(name);
}

// A whole decimal number, blanks around it allowed.
std::optional<int> NumberOf(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

TWindowState WindowStateOf(int showCommand)
{
    switch (showCommand) {
    case ShowMaximized:
        return wsMaximized;
    case ShowMinimized:
        return wsMinimized;
    default:
        return wsNormal;
    }
}

} // namespace

TIShortCut::TIShortCut(ShellFolderResolver shellFolders) : m_shellFolders(std::move(shellFolders)) {}

void TIShortCut::SetFileName(std::string_view name)
{
    if (name != m_fileName)
        m_fileName = Placed(name);
}

void TIShortCut::SetShellFolder(TShellFolder folder)
{
    if (folder == m_shellFolder)
        return;
    m_shellFolder = folder;
    m_fileName = Placed(m_fileName);
}

std::string TIShortCut::Placed(std::string_view name) const
{
    std::string placed(name);
    if (m_shellFolder != sfNone)
        placed = JoinPath(m_shellFolders(m_shellFolder), ExtractFileName(name));
    if (!EqualsNoCase(Extension(placed), ShortcutExtension))
        placed += ShortcutExtension;
    if (EqualsNoCase(ExtractFileName(placed), ShortcutExtension))
        placed.clear();
    return placed;
}

void TIShortCut::Read()
{
    ReadLines(ReadSourceFile(m_fileName));
}

void TIShortCut::Read(std::istream& in)
{
    ReadLines(ReadTextLines(in));
}

void TIShortCut::ReadLines(const std::vector<std::string>& lines)
{
    std::optional<std::string_view> url, workingDir, hotKey, showCommand;
    for (std::string_view line : lines) {
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view name = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        for (auto [key, slot] : {std::pair{"URL", &url}, std::pair{"WorkingDirectory", &workingDir},
                                 std::pair{"HotKey", &hotKey}, std::pair{"ShowCommand", &showCommand}}) {
            if (!*slot && EqualsNoCase(name, key))
                *slot = value;
        }
    }
    m_url = url.value_or("");
    m_workingDir = workingDir.value_or("");
    m_hotKey = NumberOf(hotKey.value_or("")).value_or(0);
    m_windowState = WindowStateOf(NumberOf(showCommand.value_or("")).value_or(ShowNormal));
}

} // namespace quillary
