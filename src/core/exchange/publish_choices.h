// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace quillary {

inline constexpr std::string_view NoBackground = "No background";

// The shipped page backgrounds, by name ("beads" ... "weave"), each a NAME.gif for the pages and a
// NAME.bmp preview in the backgrounds folder.
std::span<const std::string_view> BackgroundNames();
// The colour names pages may use for text and links, "Aqua" ... "Yellow".
std::span<const std::string_view> ColourNames();
bool IsColourName(std::string_view name);

// The icons folder beneath a working directory: "Web Graphics/Icons".
std::filesystem::path WebIconsFolder(const std::filesystem::path& workingDirectory);
// The backgrounds folder beneath a working directory: "Web Graphics/Backgrounds".
std::filesystem::path WebBackgroundsFolder(const std::filesystem::path& workingDirectory);
// The picture a background name publishes: NAME.gif, provided its preview NAME.bmp is there;
// none for "No background" or a missing preview.
std::optional<std::filesystem::path> BackgroundFileFor(std::string_view name,
                                                       const std::filesystem::path& backgroundsFolder);

} // namespace quillary
