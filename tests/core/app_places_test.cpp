// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule for where files live, as the environment gives it.
#include "places/app_places.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

using namespace quillary;

namespace {
// Sets the variables for the scope of one case, and puts back what was there.
class Environment
{
public:
    explicit Environment(const std::map<std::string, std::optional<std::string>>& values)
    {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name.c_str());
            m_old[name] = old ? std::optional<std::string>(old) : std::nullopt;
            Set(name, value);
        }
    }
    ~Environment()
    {
        for (const auto& [name, value] : m_old)
            Set(name, value);
    }

private:
    static void Set(const std::string& name, const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    std::map<std::string, std::optional<std::string>> m_old;
};
} // namespace

TEST(AppPlaces, EveryPlaceFollowsOneRuleFromTheEnvironment)
{
    struct Case
    {
        const char* what;
        std::optional<std::string> home, data, config, state;
        const char *dataFolder, *settings, *stateFolder;
    };
    const Case cases[] = {
        {"QUILLARY_HOME holds data and settings", "/q/home/", "/x/data", "/x/config", "/x/state", "/q/home/",
         "/q/home/kpx.ini", "/x/state/quillary"},
        {"XDG folders", std::nullopt, "/x/data", "/x/config", "/x/state", "/x/data/quillary",
         "/x/config/quillary/kpx.ini", "/x/state/quillary"},
        {"an empty QUILLARY_HOME counts as unset", "", "/x/data/", "/x/config", std::nullopt, "/x/data/quillary",
         "/x/config/quillary/kpx.ini", "/h/.local/state/quillary"},
        {"unset XDG folders fall back below HOME", std::nullopt, std::nullopt, std::nullopt, std::nullopt,
         "/h/.local/share/quillary", "/h/.config/quillary/kpx.ini", "/h/.local/state/quillary"},
        {"relative or empty XDG folders count as unset", std::nullopt, "relative/data", "", "state",
         "/h/.local/share/quillary", "/h/.config/quillary/kpx.ini", "/h/.local/state/quillary"},
        {"dots are resolved", "/q/./a/../home", std::nullopt, std::nullopt, "/x/./state", "/q/home",
         "/q/home/kpx.ini", "/x/state/quillary"},
    };
    for (const Case& each : cases) {
        const Environment environment({{"QUILLARY_HOME", each.home},
                                       {"XDG_DATA_HOME", each.data},
                                       {"XDG_CONFIG_HOME", each.config},
                                       {"XDG_STATE_HOME", each.state},
                                       {"HOME", std::string("/h")}});
        EXPECT_EQ(DataFolder(), each.dataFolder) << each.what;
        EXPECT_EQ(SettingsFile(), each.settings) << each.what;
        EXPECT_EQ(StateFolder(), each.stateFolder) << each.what;
    }
    // A relative QUILLARY_HOME is taken from the current folder, so it stays right if that changes.
    const Environment relative({{"QUILLARY_HOME", std::string("here")}});
    EXPECT_EQ(DataFolder(), (std::filesystem::current_path() / "here").lexically_normal());
}
