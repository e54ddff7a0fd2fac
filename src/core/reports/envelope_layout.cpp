// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/layout_elements.h"
#include "reports/report_layouts.h"

#include <algorithm>

namespace quillary {

TReport MakeEnvelopeReport(const EnvelopeOptions& options, ReportPageSize paper)
{
    // The memos are placed in page coordinates; the title band starts below the page margin.
    const int width = std::max(paper.width, paper.height);
    const int height = std::min(paper.width, paper.height);
    const EnvelopePlacement place = PlaceEnvelope(width, height, options.size);
    TReport report;
    report.fitPlace = FitPlace::Envelope;
    report.landscape = true;
    ReportBand& band = report.AddBand(BandType::Title, 0, "QRBand1");
    if (!options.omitReturn)
        band.elements.push_back(
            MakeElement("QRReturn", place.returnLeft, place.returnTop - PageMarginTop, 300, 125, options.returnFont));
    band.elements.push_back(MakeElement("QRDelivery", place.deliveryLeft, place.deliveryTop - PageMarginTop, 350, 125,
                                        options.deliveryFont));
    if (!options.omitReturn)
        band.Element("QRReturn").lines = options.returnAddress;
    band.Element("QRDelivery").lines = options.delivery;
    for (const ReportElement& element : band.elements)
        band.height = std::max(band.height, element.top + element.height);
    return report;
}

} // namespace quillary
