// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quillary {

class TProfileFile;

// One remembered main window geometry.
struct TWinSettings
{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Split = 0;   // width of the folder tree pane
    std::int32_t Style = 0;   // item list view: 1 large icons, 2 small icons, 3 list, 4 details
    std::int32_t ColPos1 = 0; // widths of the item list's columns "Title", "Target", "Comment"
    std::int32_t ColPos2 = 0;
    std::int32_t ColPos3 = 0;

    friend bool operator==(const TWinSettings&, const TWinSettings&) = default;
};

TWinSettings DefaultNormSettings();
TWinSettings DefaultAltSettings();

// Styles outside 1..4 leave the list view as it is.
bool IsListStyle(std::int32_t style);

// A rectangle of the screen in pixels.
struct ScreenArea
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The normal geometry of a first start, when nothing is stored yet: about two thirds of the
// screen's available area, at least as wide as the window's tool bars need (neededWidth) and
// never larger than the area, centred in it; the other fields keep their defaults.
TWinSettings FirstStartSettings(const ScreenArea& available, std::int32_t neededWidth);

// A stored geometry fitted to a screen's available area: no larger than the area, moved just far
// enough to lie inside it (a geometry saved at another scale or on a larger screen would run off
// it); the other fields are kept.
TWinSettings FittedToScreen(const TWinSettings& stored, const ScreenArea& available);

// The main window's two geometries, normal and alternate, and which one is in use. Which one is in
// use is not stored: every start uses the normal one. The window captures and applies a record;
// this class only keeps and stores them.
class TMainWinState
{
public:
    TMainWinState();
    explicit TMainWinState(const TProfileFile& profile);

    void Restore(const TProfileFile& profile);
    // Whether the settings held a stored geometry at the last Restore (none on a first start).
    bool WasStored() const { return m_stored; }
    // Writes all keys; the caller flushes.
    void Save(TProfileFile& profile) const;

    const TWinSettings& Current() const;
    void SetCurrent(const TWinSettings& record);
    // Keeps the captured geometry in the record in use, switches to the other record and returns it
    // for the window to apply.
    const TWinSettings& Toggle(const TWinSettings& captured);
    bool UsingAlternate() const { return m_usingAlternate; }

    const TWinSettings& Normal() const { return m_norm; }
    const TWinSettings& Alternate() const { return m_alt; }

private:
    TWinSettings m_norm;
    TWinSettings m_alt;
    bool m_usingAlternate = false;
    bool m_stored = false;
};

} // namespace quillary
