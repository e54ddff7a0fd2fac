// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Label sheets and envelope sizes of the report dialog, in hundredths of an inch.
struct LabelSheet
{
    std::string_view name;
    int topMargin;
    int sideMargin;
    int width;
    int height;
    int horizontalPitch;
    int verticalPitch;
    int across;
};
const std::array<LabelSheet, 18>& LabelSheets();
const LabelSheet* FindLabelSheet(std::string_view name);

// The label report's settings for a sheet's numbers.
struct LabelSettings
{
    int columns = 1;
    int detailHeight = 0;     // the vertical pitch
    int pageHeaderHeight = 0; // top margin less the page's own margin
    int memoLeft = 10;
    int memoTop = 10;
    int memoWidth = 0;
    int memoHeight = 0;
    // Hundredths, exact: the sheet's side margin, the label's width and the gap between labels.
    int leftMargin = 0;
    int columnWidth = 0;
    int columnMargin = 0;
};
LabelSettings LabelSettingsFor(const LabelSheet& sheet);

// The size of the label type face until the user chooses one: the largest, up to 12 points,
// that prints five lines whole on a label of the sheet's height (10 points on a 1-inch label).
int DefaultLabelPoints(const LabelSheet& sheet);

struct EnvelopeSize
{
    std::string_view name;
    int length;         // L
    int height;         // H
    int deliveryOffset; // D
};
const std::array<EnvelopeSize, 5>& EnvelopeSizes();

// Where the two memos go on a landscape page of the given size, the envelope lying against
// the page's right edge and centred from top to bottom.
struct EnvelopePlacement
{
    int deliveryLeft;
    int deliveryTop;
    int returnLeft;
    int returnTop;
};
EnvelopePlacement PlaceEnvelope(int pageWidth, int pageHeight, const EnvelopeSize& envelope);

// "ret_addr.dat": one text line per line of the return address. A missing file reads as no
// lines; a file that cannot be read or written raises FileError.
inline constexpr std::string_view ReturnAddressFileName = "ret_addr.dat";
std::vector<std::string> LoadReturnAddress(const std::filesystem::path& file);
void SaveReturnAddress(const std::filesystem::path& file, const std::vector<std::string>& lines);

} // namespace quillary
