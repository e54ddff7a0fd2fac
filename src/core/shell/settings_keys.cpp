// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_keys.h"

#include "shell/profile_file.h"

namespace quillary {

namespace settings {

std::string CategoryKey(int number)
{
    return "Cat" + std::to_string(number);
}

std::string DefaultCategoryName(int number)
{
    return "User Defined " + std::to_string(number);
}

std::string ToolKey(int index)
{
    return "Tool" + std::to_string(index);
}

} // namespace settings

CategoryNames ReadCategoryNames(const TProfileFile& profile)
{
    CategoryNames names;
    for (int n = 1; n <= CategoryCount; ++n)
        names[static_cast<std::size_t>(n - 1)] =
            profile.ReadString(settings::CategoriesSection, settings::CategoryKey(n), settings::DefaultCategoryName(n));
    return names;
}

void WriteCategoryNames(TProfileFile& profile, const CategoryNames& names)
{
    profile.EraseSection(settings::CategoriesSection);
    for (int n = 1; n <= CategoryCount; ++n)
        profile.WriteString(settings::CategoriesSection, settings::CategoryKey(n),
                            names[static_cast<std::size_t>(n - 1)]);
}

} // namespace quillary
