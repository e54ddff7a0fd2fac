// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/shell_folders.h"

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

// Modifier bits of a shortcut's hot key, above the virtual key in the low byte.
inline constexpr int HotKeyShift = 0x100;
inline constexpr int HotKeyCtrl = 0x200;
inline constexpr int HotKeyAlt = 0x400;

// Reader of Internet shortcut files (".url"): lines "NAME=value", of which "URL",
// "WorkingDirectory", "HotKey" and "ShowCommand" are taken.
class TIShortCut
{
public:
    explicit TIShortCut(ShellFolderResolver shellFolders = DefaultShellFolder);

    // Setting a new name places it in the shell folder (when one is chosen) and makes it end in
    // ".url"; a name that would be only ".url" becomes "". Setting the same name does nothing.
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(std::string_view name);
    // Choosing another shell folder moves the current name into it.
    TShellFolder ShellFolder() const { return m_shellFolder; }
    void SetShellFolder(TShellFolder folder);

    const std::string& URL() const { return m_url; }
    const std::string& WorkingDir() const { return m_workingDir; }
    int HotKey() const { return m_hotKey; }
    TWindowState WindowState() const { return m_windowState; }

    // Reads the file named by FileName (throws FileError when it cannot), or a stream. Every value
    // is taken from the first line of its name (compared without regard to case); what the file
    // lacks reads as empty, hot key 0 and normal window.
    void Read();
    void Read(std::istream& in);

private:
    std::string Placed(std::string_view name) const;
    void ReadLines(const std::vector<std::string>& lines);

    ShellFolderResolver m_shellFolders;
    std::string m_fileName;
    TShellFolder m_shellFolder = sfNone;
    std::string m_url;
    std::string m_workingDir;
    int m_hotKey = 0;
    TWindowState m_windowState = wsNormal;
};

} // namespace quillary
