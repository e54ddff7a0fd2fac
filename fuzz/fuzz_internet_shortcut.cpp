// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a shortcut file, give values taken from its lines; used as a file name,
// they give "" or a name ending in ".url" that, in a shell folder, lies in that folder.
#include "common/ascii_case.h"
#include "exchange/internet_shortcut.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool IsShortcutName(const std::string& name)
{
    return name.empty() || (name.size() > 4 && quillary::EqualsNoCase(name.substr(name.size() - 4), ".url"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    quillary::TIShortCut shortcut([](quillary::TShellFolder) { return std::string("/shell"); });
    std::istringstream in(bytes);
    shortcut.Read(in);
    Check(bytes.find(shortcut.URL()) != std::string::npos);
    Check(bytes.find(shortcut.WorkingDir()) != std::string::npos);
    Check(shortcut.WindowState() >= quillary::wsNormal && shortcut.WindowState() <= quillary::wsMaximized);

    shortcut.SetFileName(bytes);
    Check(IsShortcutName(shortcut.FileName()));
    shortcut.SetShellFolder(quillary::sfDesktop);
    Check(IsShortcutName(shortcut.FileName()));
    Check(shortcut.FileName().empty() || shortcut.FileName().starts_with("/shell/"));
    return 0;
}
