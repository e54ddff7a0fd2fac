// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tool_items.h"

#include "common/ascii_case.h"
#include "common/comma_text.h"
#include "common/path_text.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"

#include <algorithm>

namespace quillary {

namespace {

constexpr std::string_view ProgramExtension = ".exe";
constexpr std::size_t StoredFieldCount = 4;

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithProgramExtension(std::string_view path)
{
    if (path.size() < ProgramExtension.size())
        return false;
    const std::string_view tail = path.substr(path.size() - ProgramExtension.size());
    return std::equal(tail.begin(), tail.end(), ProgramExtension.begin(),
                      [](char a, char b) { return LowerAscii(a) == b; });
}

std::string WithoutProgramExtension(std::string_view path)
{
    if (EndsWithProgramExtension(path))
        path.remove_suffix(ProgramExtension.size());
    return std::string(path);
}

std::unique_ptr<TToolItem> ToolFromFields(const std::vector<std::string>& fields)
{
    auto tool = std::make_unique<TToolItem>();
    tool->Description = fields[0];
    tool->Filename = fields[1];
    tool->Arguments = fields[2];
    tool->AllowAddressItem = fields[3] == "1";
    return tool;
}

std::string StoredValue(const TToolItem& tool)
{
    return JoinCommaText({tool.Description, tool.Filename, tool.Arguments, tool.AllowAddressItem ? "1" : "0"});
}

bool IsKeyTaken(const std::vector<std::string>& taken, std::string_view key)
{
    return std::any_of(taken.begin(), taken.end(), [&](const std::string& t) { return EqualsNoCase(t, key); });
}

// The key itself while it is free, else the first free "Tool" + number.
std::string FreeKey(const std::vector<std::string>& taken, const std::string& key)
{
    if (!key.empty() && !IsKeyTaken(taken, key))
        return key;
    int number = 0;
    while (IsKeyTaken(taken, settings::ToolKey(number)))
        ++number;
    return settings::ToolKey(number);
}

} // namespace

std::string TToolItem::LaunchParameters(std::string_view extra) const
{
    if (Arguments.empty() && extra.empty())
        return {};
    return Arguments + " " + std::string(extra);
}

std::string TToolItem::WorkingDirectory() const
{
    return ExtractFilePath(Filename);
}

TToolItem* TToolItems::At(std::size_t index)
{
    return index < m_tools.size() ? m_tools[index].get() : nullptr;
}

const TToolItem* TToolItems::At(std::size_t index) const
{
    return index < m_tools.size() ? m_tools[index].get() : nullptr;
}

TToolItem& TToolItems::Add(std::unique_ptr<TToolItem> tool)
{
    m_tools.push_back(std::move(tool));
    return *m_tools.back();
}

bool TToolItems::Remove(const TToolItem* tool)
{
    const auto found = std::find_if(m_tools.begin(), m_tools.end(), [tool](const auto& t) { return t.get() == tool; });
    if (found == m_tools.end())
        return false;
    m_tools.erase(found);
    return true;
}

TToolItem* TToolItems::FindByFilename(std::string_view name)
{
    const auto found =
        std::find_if(m_tools.begin(), m_tools.end(), [name](const auto& t) { return t->Filename == name; });
    return found == m_tools.end() ? nullptr : found->get();
}

const TToolItem* TToolItems::FindByFilename(std::string_view name) const
{
    return const_cast<TToolItems*>(this)->FindByFilename(name);
}

std::optional<int> TToolItems::ImageIndexForProgram(const std::string& program) const
{
    const TToolItem* tool = FindByFilename(program);
    if (tool == nullptr || tool->ImageIndex < 0)
        return std::nullopt;
    return tool->ImageIndex;
}

void TToolItems::Load(const TProfileFile& profile)
{
    for (const std::string& key : profile.SectionKeys(settings::ToolsSection)) {
        std::string value = profile.ReadString(settings::ToolsSection, key, "");
        const std::vector<std::string> fields = SplitCommaText(value);
        if (fields.size() == StoredFieldCount)
            Add(ToolFromFields(fields));
        else
            m_unread.push_back({key, std::move(value)});
    }
}

void TToolItems::Save(TProfileFile& profile) const
{
    profile.EraseSection(settings::ToolsSection);
    std::vector<std::string> written;
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        written.push_back(settings::ToolKey(static_cast<int>(i)));
        profile.WriteString(settings::ToolsSection, written.back(), StoredValue(*m_tools[i]));
    }
    for (const KeptLine& line : m_unread) {
        written.push_back(FreeKey(written, line.key));
        profile.WriteString(settings::ToolsSection, written.back(), line.value);
    }
}

bool IsToolProgramName(std::string_view path)
{
    return EndsWithProgramExtension(path);
}

std::string ToolDescriptionFromPath(std::string_view path)
{
    return WithoutProgramExtension(ExtractFileName(path));
}

std::string BrowserProgramFromPath(std::string_view path)
{
    return WithoutProgramExtension(path);
}

} // namespace quillary
