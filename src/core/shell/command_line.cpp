// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include "common/comma_text.h"

#include <algorithm>

namespace quillary {

namespace {

bool NeedsQuotes(std::string_view arg)
{
    return arg.empty() || std::any_of(arg.begin(), arg.end(), [](char c) {
               return static_cast<unsigned char>(c) <= 32 || c == ',' || c == '"';
           });
}

std::string Quoted(std::string_view arg)
{
    std::string text = "\"";
    for (const char c : arg) {
        if (c == '"')
            text += '"';
        text += c;
    }
    return text + '"';
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view lowerPart)
{
    const auto found = std::search(text.begin(), text.end(), lowerPart.begin(), lowerPart.end(),
                                   [](char a, char b) { return AsciiLower(a) == b; });
    return found != text.end();
}

} // namespace

bool IsHiddenStart(const std::vector<std::string>& args)
{
    return std::find(args.begin(), args.end(), HiddenStartWord) != args.end();
}

AutomationStart FindAutomationStart(const std::vector<std::string>& args)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "REGSERVER")
            return AutomationStart::Register;
        if (args[i] == "UNREGSERVER")
            return AutomationStart::Unregister;
        if (args[i] == "AUTOMATION" || args[i] == "EMBEDDING")
            return AutomationStart::ByClient;
    }
    return AutomationStart::None;
}

AutomationStart FindAutomationStartInText(std::string_view commandLineText)
{
    std::vector<std::string> args = CommandLineElements(commandLineText);
    args.insert(args.begin(), std::string()); // the program path, which the elements leave out
    return FindAutomationStart(args);
}

std::string CommandLineText(const std::vector<std::string>& args)
{
    std::string text;
    for (const std::string& arg : args) {
        if (!text.empty())
            text += ' ';
        text += NeedsQuotes(arg) ? Quoted(arg) : arg;
    }
    return text;
}

std::vector<std::string> CommandLineElements(std::string_view text)
{
    std::string commas(text);
    bool quoted = false;
    for (char& c : commas) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ' ' && !quoted)
            c = ',';
    }
    std::vector<std::string> elements = SplitCommaText(commas);
    if (!elements.empty())
        elements.erase(elements.begin());
    return elements;
}

CommandLineFile ClassifyElement(std::string_view element)
{
    if (ContainsIgnoringCase(element, ".zkd"))
        return CommandLineFile::Interchange;
    if (ContainsIgnoringCase(element, ".vcf") || ContainsIgnoringCase(element, ".vcard"))
        return CommandLineFile::VCard;
    return CommandLineFile::Other;
}

} // namespace quillary
