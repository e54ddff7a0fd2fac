// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/win_state.h"

#include "shell/profile_file.h"
#include "shell/settings_keys.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace quillary {

namespace {

using KeyTable = std::array<settings::IntegerKey, settings::WinSettingsFieldCount>;

// In the order of the key tables.
constexpr std::array<std::int32_t TWinSettings::*, settings::WinSettingsFieldCount> Fields = {
    &TWinSettings::Left,  &TWinSettings::Top,     &TWinSettings::Width,   &TWinSettings::Height,  &TWinSettings::Split,
    &TWinSettings::Style, &TWinSettings::ColPos1, &TWinSettings::ColPos2, &TWinSettings::ColPos3,
};

TWinSettings Defaults(const KeyTable& keys)
{
    TWinSettings record;
    for (std::size_t i = 0; i < Fields.size(); ++i)
        record.*Fields[i] = keys[i].fallback;
    return record;
}

TWinSettings Read(const TProfileFile& profile, const KeyTable& keys)
{
    TWinSettings record;
    for (std::size_t i = 0; i < Fields.size(); ++i)
        record.*Fields[i] = profile.ReadInteger(settings::WinStateSection, keys[i].name, keys[i].fallback);
    return record;
}

void Write(TProfileFile& profile, const KeyTable& keys, const TWinSettings& record)
{
    for (std::size_t i = 0; i < Fields.size(); ++i)
        profile.WriteInteger(settings::WinStateSection, keys[i].name, record.*Fields[i]);
}

} // namespace

TWinSettings DefaultNormSettings()
{
    return Defaults(settings::NormWinStateKeys);
}

TWinSettings DefaultAltSettings()
{
    return Defaults(settings::AltWinStateKeys);
}

bool IsListStyle(std::int32_t style)
{
    return style >= 1 && style <= 4;
}

TWinSettings FirstStartSettings(const ScreenArea& available, std::int32_t neededWidth)
{
    TWinSettings record = DefaultNormSettings();
    const auto twoThirds = [](std::int32_t length) { return static_cast<std::int32_t>(length * 2LL / 3); };
    record.Width = std::min(std::max({twoThirds(available.width), neededWidth, record.Width}), available.width);
    record.Height = std::min(std::max(twoThirds(available.height), record.Height), available.height);
    record.Left = available.left + (available.width - record.Width) / 2;
    record.Top = available.top + (available.height - record.Height) / 2;
    return record;
}

TWinSettings FittedToScreen(const TWinSettings& stored, const ScreenArea& available)
{
    TWinSettings record = stored;
    record.Width = std::min(record.Width, available.width);
    record.Height = std::min(record.Height, available.height);
    // Wide arithmetic: the stored numbers come from a settings file and may be anything.
    const auto inside = [](std::int32_t at, std::int32_t start, std::int32_t room, std::int32_t length) {
        const std::int64_t last = std::max<std::int64_t>(start, std::int64_t{start} + room - length);
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(at, start, last));
    };
    record.Left = inside(record.Left, available.left, available.width, record.Width);
    record.Top = inside(record.Top, available.top, available.height, record.Height);
    return record;
}

TMainWinState::TMainWinState() : m_norm(DefaultNormSettings()), m_alt(DefaultAltSettings()) {}

TMainWinState::TMainWinState(const TProfileFile& profile)
{
    Restore(profile);
}

void TMainWinState::Restore(const TProfileFile& profile)
{
    m_norm = Read(profile, settings::NormWinStateKeys);
    m_alt = Read(profile, settings::AltWinStateKeys);
    m_stored = profile.HasSection(settings::WinStateSection);
}

void TMainWinState::Save(TProfileFile& profile) const
{
    Write(profile, settings::NormWinStateKeys, m_norm);
    Write(profile, settings::AltWinStateKeys, m_alt);
}

const TWinSettings& TMainWinState::Current() const
{
    return m_usingAlternate ? m_alt : m_norm;
}

void TMainWinState::SetCurrent(const TWinSettings& record)
{
    (m_usingAlternate ? m_alt : m_norm) = record;
}

const TWinSettings& TMainWinState::Toggle(const TWinSettings& captured)
{
    SetCurrent(captured);
    m_usingAlternate = !m_usingAlternate;
    return Current();
}

} // namespace quillary
