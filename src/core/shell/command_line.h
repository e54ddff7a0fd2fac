// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// The word that starts the program without showing its main window; matched exactly, case included.
inline constexpr std::string_view HiddenStartWord = "HIDEWIN";

// True when any argument, the program path included, is the hidden-start word.
bool IsHiddenStart(const std::vector<std::string>& args);

// Words about the automation service, matched exactly like the hidden-start word.
enum class AutomationStart {
    None,
    Register,   // "REGSERVER": write the service registration and end
    Unregister, // "UNREGSERVER": remove it and end
    ByClient,   // "AUTOMATION" or "EMBEDDING": end when the last client's cursor is released
};

// The first automation word among the arguments after the program path.
AutomationStart FindAutomationStart(const std::vector<std::string>& args);
// The same for a command-line text that a second start handed over (see CommandLineText).
AutomationStart FindAutomationStartInText(std::string_view commandLineText);

// The whole command line as one text, the way a second copy hands it to the running one: arguments
// joined by blanks, an argument that is empty or holds blanks, control characters, commas or double
// quotes written in double quotes with inner quotes doubled.
std::string CommandLineText(const std::vector<std::string>& args);

// The elements of a command-line text after the program path: blanks outside double quotes separate
// elements like commas do, and a double-quoted element may hold blanks and commas. The elements keep
// their case, since file names on Linux are case-sensitive.
std::vector<std::string> CommandLineElements(std::string_view text);

enum class CommandLineFile {
    Interchange, // names ".zkd" anywhere, in any case
    VCard,       // names ".vcf" or ".vcard" (the desktop's other name for vCard files) anywhere, in any case
    Other,       // ignored
};

CommandLineFile ClassifyElement(std::string_view element);

} // namespace quillary
