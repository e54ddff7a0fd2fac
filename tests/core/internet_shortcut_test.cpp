// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_files.h"

#include "common/file_error.h"
#include "exchange/internet_shortcut.h"
#include "exchange/shell_folders.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {

TIShortCut ReadShortcut(const std::string& text)
{
    TIShortCut shortcut([](TShellFolder) { return std::string(); });
    std::istringstream in(text);
    shortcut.Read(in);
    return shortcut;
}

// A resolver that names each folder after its number and counts its calls.
struct NumberedFolders
{
    int calls = 0;
    ShellFolderResolver Resolver()
    {
        return [this](TShellFolder folder) {
            ++calls;
            return "/shell/" + std::to_string(folder);
        };
    }
};

} // namespace

TEST(InternetShortcut, ReadsTheFirstLineOfEachNameInAnyCase)
{
    const TIShortCut s =
        ReadShortcut("[DEFAULT]\r\nBASEURL=http://base.example/\r\n"
                     "[InternetShortcut]\r\nurl=http://first.example/\r\nURL=http://second.example/\r\n"
                     "WorkingDirectory=C:\\WINDOWS\\\r\nHotKey=1604\r\nShowCommand=3\r\nIconIndex=0\r\n");
    EXPECT_EQ(s.URL(), "http://first.example/");
    EXPECT_EQ(s.WorkingDir(), "C:\\WINDOWS\\");
    EXPECT_EQ(s.HotKey(), 1604);
    EXPECT_EQ(s.HotKey() & 0xFF, 'D');
    EXPECT_EQ(s.HotKey() & ~0xFF, HotKeyCtrl | HotKeyAlt);
    EXPECT_EQ(s.WindowState(), wsMaximized);
}

TEST(InternetShortcut, ValuesAreKeptAsWrittenAndNamesAreNotTrimmed)
{
    const TIShortCut s = ReadShortcut("URL =http://ignored.example/\nURL=http://x.example/?a=b \n[URL=nothing]\n");
    EXPECT_EQ(s.URL(), "http://x.example/?a=b ");
}

TEST(InternetShortcut, NumbersThatAreNotNumbersTakeTheirDefaults)
{
    EXPECT_EQ(ReadShortcut("ShowCommand=7").WindowState(), wsMinimized);
    EXPECT_EQ(ReadShortcut("ShowCommand= 7 ").WindowState(), wsMinimized);
    EXPECT_EQ(ReadShortcut("ShowCommand=2").WindowState(), wsNormal);
    EXPECT_EQ(ReadShortcut("ShowCommand=three").WindowState(), wsNormal);
    EXPECT_EQ(ReadShortcut("ShowCommand=3x").WindowState(), wsNormal);
    EXPECT_EQ(ReadShortcut("HotKey=12a").HotKey(), 0);
    EXPECT_EQ(ReadShortcut("HotKey=99999999999").HotKey(), 0);
    EXPECT_EQ(ReadShortcut("HotKey=").HotKey(), 0);
}

TEST(InternetShortcut, EachReadStartsAfresh)
{
    TIShortCut shortcut;
    std::istringstream first("URL=http://a.example/\nWorkingDirectory=/w\nHotKey=65\nShowCommand=7\n");
    shortcut.Read(first);
    std::istringstream second("[InternetShortcut]\n");
    shortcut.Read(second);
    EXPECT_EQ(shortcut.URL(), "");
    EXPECT_EQ(shortcut.WorkingDir(), "");
    EXPECT_EQ(shortcut.HotKey(), 0);
    EXPECT_EQ(shortcut.WindowState(), wsNormal);
}

TEST(InternetShortcut, ReadsTheNamedFile)
{
    TempDir dir;
    WriteWhole(dir / "Daily.URL", "[InternetShortcut]\r\nURL=http://daily.example/\r\n");
    TIShortCut shortcut;
    shortcut.SetFileName((dir / "Daily.URL").string());
    shortcut.Read();
    EXPECT_EQ(shortcut.URL(), "http://daily.example/");
    shortcut.SetFileName((dir / "Missing.url").string());
    EXPECT_THROW(shortcut.Read(), FileError);
}

TEST(InternetShortcut, FileNamesEndInDotUrl)
{
    TIShortCut shortcut;
    shortcut.SetFileName("/f/News");
    EXPECT_EQ(shortcut.FileName(), "/f/News.url");
    shortcut.SetFileName("/f/News.URL");
    EXPECT_EQ(shortcut.FileName(), "/f/News.URL");
    shortcut.SetFileName("/f/v1.2");
    EXPECT_EQ(shortcut.FileName(), "/f/v1.2.url");
    shortcut.SetFileName("/f.url/name");
    EXPECT_EQ(shortcut.FileName(), "/f.url/name.url");
    shortcut.SetFileName("/f/.Url");
    EXPECT_EQ(shortcut.FileName(), "");
    shortcut.SetFileName("/f/");
    EXPECT_EQ(shortcut.FileName(), "");
}

TEST(InternetShortcut, AShellFolderTakesTheFileName)
{
    NumberedFolders folders;
    TIShortCut shortcut(folders.Resolver());
    shortcut.SetFileName("/old/place/News.url");
    EXPECT_EQ(folders.calls, 0);
    shortcut.SetShellFolder(sfFavorites);
    EXPECT_EQ(shortcut.FileName(), "/shell/2/News.url");
    shortcut.SetShellFolder(sfFavorites);
    shortcut.SetFileName("/shell/2/News.url");
    EXPECT_EQ(folders.calls, 1); // the same folder or name again changes nothing
    shortcut.SetFileName("C:\\Windows\\Daily");
    EXPECT_EQ(shortcut.FileName(), "/shell/2/Daily.url");
    shortcut.SetShellFolder(sfNone);
    EXPECT_EQ(shortcut.FileName(), "/shell/2/Daily.url");
}

TEST(ShellFolders, UserDirsComeFromTheLastUsableLine)
{
    std::istringstream dirs("# written by xdg-user-dirs-update\n"
                            "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                            "XDG_DOCUMENTS_DIR=\"/data/My \\\"Docs\\\"\"\n"
                            "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                            "XDG_DESKTOP_DIR=\"relative/ignored\"\n"
                            "XDG_TEMPLATES_DIR=\"$HOMEWORK\"\n"
                            "  XDG_MUSIC_DIR = \"$HOME\"\n");
    const auto read = [&](std::string_view key) {
        dirs.clear();
        dirs.seekg(0);
        return ReadUserDir(dirs, key, "/home/jo");
    };
    EXPECT_EQ(read("XDG_DESKTOP_DIR"), "/home/jo/Schreibtisch");
    EXPECT_EQ(read("XDG_DOCUMENTS_DIR"), "/data/My \"Docs\"");
    EXPECT_EQ(read("XDG_MUSIC_DIR"), "/home/jo");
    EXPECT_EQ(read("XDG_TEMPLATES_DIR"), "");
    EXPECT_EQ(read("XDG_DESKTOP"), "");
}

TEST(ShellFolders, MapToTheDesktopsFolders)
{
    TempDir dir;
    const XdgPlaces places{"/home/jo", (*dir).string(), "/home/jo/.local/share"};
    EXPECT_EQ(XdgShellFolder(sfDesktop, places), "/home/jo"); // no user-dirs.dirs yet
    WriteWhole(dir / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    EXPECT_EQ(XdgShellFolder(sfNone, places), "");
    EXPECT_EQ(XdgShellFolder(sfDesktop, places), "/home/jo/Desk");
    EXPECT_EQ(XdgShellFolder(sfPersonal, places), "/home/jo/Docs");
    EXPECT_EQ(XdgShellFolder(sfTemplates, places), "/home/jo");
    EXPECT_EQ(XdgShellFolder(sfFavorites, places), "/home/jo/Favorites");
    EXPECT_EQ(XdgShellFolder(sfFonts, places), "/home/jo/.local/share/fonts");
    EXPECT_EQ(XdgShellFolder(sfPrograms, places), "/home/jo/.local/share/applications");
    EXPECT_EQ(XdgShellFolder(sfStartMenu, places), "/home/jo/.local/share/applications");
    EXPECT_EQ(XdgShellFolder(sfRecent, places), "/home/jo/.local/share/RecentDocuments");
    EXPECT_EQ(XdgShellFolder(sfStartup, places), (*dir).string() + "/autostart");
    EXPECT_EQ(XdgShellFolder(sfSendTo, places), "/home/jo");
}
