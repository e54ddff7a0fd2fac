// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/publish_choices.h"

#include <algorithm>

namespace quillary {

namespace {
constexpr std::string_view Backgrounds[] = {
    "beads",  "chalk", "cloud1",  "cloud2", "cloud3",   "cloud4",   "concrete", "fire",  "floortile",
    "flower", "foam",  "grid",    "lace",   "letters",  "marble",   "nova",     "sand",  "smear1",
    "smear2", "soil",  "speckle", "stone",  "terrain1", "terrain2", "terrain3", "vines", "weave"};
constexpr std::string_view Colours[] = {"Aqua",  "Black",  "Fuchsia", "Gray",   "Green", "Lime",  "Maroon", "Navy",
                                        "Olive", "Purple", "Red",     "Silver", "Teal",  "White", "Yellow"};
} // namespace

std::span<const std::string_view> BackgroundNames()
{
    return Backgrounds;
}

std::span<const std::string_view> ColourNames()
{
    return Colours;
}

bool IsColourName(std::string_view name)
{
    return std::find(std::begin(Colours), std::end(Colours), name) != std::end(Colours);
}

std::filesystem::path WebIconsFolder(const std::filesystem::path& workingDirectory)
{
    return workingDirectory / "Web Graphics" / "Icons";
}

std::filesystem::path WebBackgroundsFolder(const std::filesystem::path& workingDirectory)
{
    return workingDirectory / "Web Graphics" / "Backgrounds";
}

std::optional<std::filesystem::path> BackgroundFileFor(std::string_view name,
                                                       const std::filesystem::path& backgroundsFolder)
{
    if (name == NoBackground || name.empty())
        return std::nullopt;
    const std::string stem(name);
    std::error_code ignored;
    if (!std::filesystem::exists(backgroundsFolder / (stem + ".bmp"), ignored))
        return std::nullopt;
    return backgroundsFolder / (stem + ".gif");
}

} // namespace quillary
