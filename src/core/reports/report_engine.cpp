// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/report_engine.h"

#include "reports/report_lines.h"

#include <algorithm>
#include <stdexcept>

namespace quillary {

ReportElement& ReportBand::Element(const std::string& name)
{
    const auto found =
        std::find_if(elements.begin(), elements.end(), [&](const ReportElement& e) { return e.name == name; });
    if (found == elements.end())
        throw std::out_of_range("no report element named " + name);
    return *found;
}

ReportBand& TReport::AddBand(BandType type, int height, std::string name)
{
    ReportBand& band = m_bands.emplace_back();
    band.name = std::move(name);
    band.type = type;
    band.height = height;
    return band;
}

ReportBand* TReport::FindBand(BandType type)
{
    const auto found =
        std::find_if(m_bands.begin(), m_bands.end(), [&](const ReportBand& b) { return b.type == type; });
    return found == m_bands.end() ? nullptr : &*found;
}

ReportBand& TReport::Band(const std::string& name)
{
    const auto found =
        std::find_if(m_bands.begin(), m_bands.end(), [&](const ReportBand& b) { return b.name == name; });
    if (found == m_bands.end())
        throw std::out_of_range("no report band named " + name);
    return *found;
}

namespace {

// Lays the bands of one report out page by page, keeping where the next detail group goes.
class PageComposer
{
public:
    PageComposer(TReport& report, ReportDocument& document) : m_report(report), m_document(document)
    {
        m_columns = std::max(1, report.columns);
        m_fullWidth = std::max(0, document.pageWidth - 2 * report.leftMargin);
        m_columnWidth = report.columnWidth > 0
                            ? report.columnWidth
                            : std::max(0, (m_fullWidth - (m_columns - 1) * report.columnMargin) / m_columns);
    }

    void StartPage()
    {
        m_document.pages.emplace_back();
        m_y = PageMarginTop;
        PlaceFullWidth(BandType::PageHeader);
        if (m_document.pages.size() == 1)
            PlaceFullWidth(BandType::Title);
        PlaceFullWidth(BandType::ColumnHeader);
        m_columnTop = m_y;
        m_column = 0;
        m_bottom = m_document.pageHeight - PageMarginBottom - EnabledHeight(BandType::PageFooter);
    }

    void FinishPage()
    {
        RunHooks(BandType::PageFooter);
        m_y = m_document.pageHeight - PageMarginBottom - EnabledHeight(BandType::PageFooter);
        for (const ReportBand& band : m_report.Bands())
            if (band.type == BandType::PageFooter)
                Place(band, m_report.leftMargin, m_fullWidth);
    }

    // One record's detail bands; a group too tall for the rest of the column starts the next
    // one, but a group at the top of a column stays there even when it overflows.
    void PlaceDetailGroup()
    {
        RunHooks(BandType::Detail);
        if (m_y > m_columnTop && m_y + EnabledHeight(BandType::Detail) > m_bottom)
            NextColumn();
        const int left = m_report.leftMargin + m_column * (m_columnWidth + m_report.columnMargin);
        for (const ReportBand& band : m_report.Bands())
            if (band.type == BandType::Detail)
                Place(band, left, m_columnWidth);
    }

private:
    void NextColumn()
    {
        if (++m_column < m_columns) {
            m_y = m_columnTop;
            return;
        }
        FinishPage();
        StartPage();
    }

    void RunHooks(BandType type)
    {
        for (ReportBand& band : m_report.Bands())
            if (band.type == type && band.beforePrint)
                band.beforePrint(band);
    }

    int EnabledHeight(BandType type) const
    {
        int height = 0;
        for (const ReportBand& band : m_report.Bands())
            if (band.type == type && band.enabled)
                height += band.height;
        return height;
    }

    void PlaceFullWidth(BandType type)
    {
        RunHooks(type);
        for (const ReportBand& band : m_report.Bands())
            if (band.type == type)
                Place(band, m_report.leftMargin, m_fullWidth);
    }

    void Place(const ReportBand& band, int left, int width)
    {
        if (!band.enabled)
            return;
        for (const ReportElement& element : band.elements)
            m_document.pages.back().boxes.push_back(BoxOf(element, left, width));
        m_y += band.height;
    }

    ReportBox BoxOf(const ReportElement& element, int left, int width)
    {
        ReportBox box;
        PlaceAcross(box, element, left, width);
        box.top = m_y + element.top;
        box.height = element.height;
        box.lines = element.lines;
        KeepWholeLines(box, element.font.points);
        box.font = element.font;
        box.align = element.align;
        box.inverse = element.inverse;
        return box;
    }

    static void PlaceAcross(ReportBox& box, const ReportElement& element, int left, int width)
    {
        if (element.shareWidth > 0) {
            box.left = left + width * element.shareLeft / 100;
            box.width = width * element.shareWidth / 100;
            return;
        }
        box.left = left + (element.centred ? (width - element.width) / 2 : element.left);
        box.width = element.width > 0 ? element.width : std::max(0, width - element.left);
    }

    // Half a line is never printed: what does not fit whole is left out and counted.
    void KeepWholeLines(ReportBox& box, int points)
    {
        const auto whole = static_cast<std::size_t>(WholeLinesIn(box.height, points));
        if (box.lines.size() <= whole)
            return;
        m_document.linesLeftOut += static_cast<int>(box.lines.size() - whole);
        box.lines.resize(whole);
    }

    TReport& m_report;
    ReportDocument& m_document;
    int m_columns = 1;
    int m_fullWidth = 0;
    int m_columnWidth = 0;
    int m_column = 0;
    int m_y = 0;
    int m_columnTop = 0;
    int m_bottom = 0;
};

} // namespace

ReportDocument TReport::Compose(ReportPageSize paper, const std::function<bool(int)>& progress)
{
    ReportDocument document;
    document.title = title;
    document.landscape = landscape;
    document.fitPlace = fitPlace;
    document.pageWidth = landscape ? paper.height : paper.width;
    document.pageHeight = landscape ? paper.width : paper.height;
    PageComposer composer(*this, document);
    composer.StartPage();
    for (int record = 1; needData && needData(*this); ++record) {
        composer.PlaceDetailGroup();
        if (progress && !progress(record))
            break;
    }
    composer.FinishPage();
    return document;
}

} // namespace quillary
