// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/page_settings.h"

namespace quillary {

const std::array<EnvelopeSize, 5>& EnvelopeSizes()
{
    static constexpr std::array<EnvelopeSize, 5> Sizes{{
        {"#10 Env (4.125 x 9.5 in)", 950, 412, 300},
        {"Monarch (3.875 x 7.5 in)", 750, 388, 200},
        {"B5 Env (176 x 250 mm)", 1000, 700, 325},
        {"C5 Env (162 x 229 mm)", 916, 648, 283},
        {"DL Env (110 x 220 mm)", 880, 440, 265},
    }};
    return Sizes;
}

EnvelopePlacement PlaceEnvelope(int pageWidth, int pageHeight, const EnvelopeSize& envelope)
{
    const int envelopeLeft = pageWidth - envelope.length;
    const int envelopeTop = (pageHeight - envelope.height) / 2;
    return {envelopeLeft + envelope.deliveryOffset, envelopeTop + 152, envelopeLeft + 50, envelopeTop + 30};
}

} // namespace quillary
