// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/win_state.h"

#include "shell/profile_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace quillary {
namespace {

TProfileFile FromText(std::string_view text)
{
    return TProfileFile::FromText("unused.ini", text);
}

TEST(WinState, MissingKeysGiveTheDefaults)
{
    const TMainWinState state(FromText("[WinState]\nNorm_Width=800\nAlt_Style=junk\n"));
    EXPECT_EQ(state.Normal(), (TWinSettings{0, 0, 800, 480, 201, 1, 125, 150, 150}));
    EXPECT_EQ(state.Alternate(), (TWinSettings{0, 0, 300, 480, 1, 0, 125, 150, 150}));
    EXPECT_EQ(TMainWinState().Alternate(), (TWinSettings{0, 0, 300, 480, 1, 1, 125, 150, 150}));
}

TEST(WinState, AllEighteenKeysRoundTrip)
{
    TMainWinState state;
    state.SetCurrent({1, 2, 3, 4, 5, 6, 7, 8, 9});
    state.Toggle(state.Current());
    state.SetCurrent({-10, -20, 30, 40, 50, 60, 70, 80, 90});

    auto profile = FromText("");
    state.Save(profile);
    EXPECT_EQ(profile.SectionKeys("WinState").size(), 18u);
    EXPECT_EQ(profile.ReadInteger("WinState", "Alt_Left", 0), -10);

    const TMainWinState reread(FromText(profile.Text()));
    EXPECT_EQ(reread.Normal(), (TWinSettings{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(reread.Alternate(), (TWinSettings{-10, -20, 30, 40, 50, 60, 70, 80, 90}));
    EXPECT_FALSE(reread.UsingAlternate()); // which set was in use is not stored
}

TEST(WinState, ToggleTwiceReturnsToTheGeometryChangedByHand)
{
    TMainWinState state;
    const TWinSettings moved{50, 60, 700, 500, 220, 4, 100, 100, 100};
    EXPECT_EQ(state.Toggle(moved), DefaultAltSettings());
    EXPECT_TRUE(state.UsingAlternate());

    const TWinSettings narrowed{10, 10, 280, 400, 1, 3, 90, 90, 90};
    EXPECT_EQ(state.Toggle(narrowed), moved);
    EXPECT_FALSE(state.UsingAlternate());
    EXPECT_EQ(state.Alternate(), narrowed);
    EXPECT_EQ(state.Toggle(moved), narrowed);
}

TEST(WinState, AFirstStartFillsTwoThirdsOfTheScreenCentredAndStoredGeometryIsKept)
{
    EXPECT_FALSE(TMainWinState(FromText("[Tools]\n")).WasStored());
    EXPECT_TRUE(TMainWinState(FromText("[WinState]\nAlt_Top=3\n")).WasStored());

    // A 1920 x 1040 desktop below a 40-pixel panel, on a second screen to the right.
    const TWinSettings first = FirstStartSettings({1920, 40, 1920, 1040}, 700);
    EXPECT_EQ(first.Width, 1280);
    EXPECT_EQ(first.Height, 693);
    EXPECT_EQ(first.Left, 1920 + 320);
    EXPECT_EQ(first.Top, 40 + 173);
    EXPECT_EQ(first.Split, DefaultNormSettings().Split);
    EXPECT_EQ(first.Style, DefaultNormSettings().Style);

    // A small screen: the tool bars' width wins over two thirds, but never the screen's edge.
    EXPECT_EQ(FirstStartSettings({0, 0, 1024, 600}, 900).Width, 900);
    const TWinSettings tiny = FirstStartSettings({0, 0, 800, 400}, 900);
    EXPECT_EQ(tiny.Width, 800);
    EXPECT_EQ(tiny.Height, 400);
    EXPECT_EQ(tiny.Left, 0);
    EXPECT_EQ(tiny.Top, 0);
}

TEST(WinState, AStoredGeometryIsFittedToTheScreenItOpensOn)
{
    struct Case
    {
        TWinSettings stored;
        ScreenArea screen;
        std::array<std::int32_t, 4> fitted; // left, top, width, height
    };
    // 1920 x 1080 at 200 %: 960 x 516 logical pixels below a panel.
    const Case cases[] = {
        {{0, 0, 2560, 1400, 201, 4}, {0, 24, 960, 516}, {0, 24, 960, 516}},
        {{100, 50, 640, 400, 201, 4}, {0, 0, 1920, 1080}, {100, 50, 640, 400}},       // fits: kept
        {{1700, 900, 640, 400, 201, 4}, {0, 0, 1920, 1080}, {1280, 680, 640, 400}},   // moved back in
        {{-300, -20, 640, 400, 201, 4}, {1920, 0, 1920, 1080}, {1920, 0, 640, 400}},  // left of a second screen
        {{2147483000, 2147483000, 2147483000, 480, 1, 1}, {0, 0, 800, 600}, {0, 120, 800, 480}}, // far out
    };
    for (const Case& c : cases) {
        const TWinSettings fitted = FittedToScreen(c.stored, c.screen);
        EXPECT_EQ((std::array{fitted.Left, fitted.Top, fitted.Width, fitted.Height}), c.fitted);
        EXPECT_EQ(fitted.Split, c.stored.Split);
        EXPECT_EQ(fitted.Style, c.stored.Style);
    }
}

} // namespace
} // namespace quillary
