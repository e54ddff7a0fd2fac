// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/kpx_object.h"

namespace quillary {

// The kinds whose detail line is their type tag followed by the categories, and nothing else
// (folders, teams, websites, e-mail addresses, faxes and documents).
class TTagOnlyObject : public TKPXObject
{
public:
    void WriteRecord(std::string& out, int level) const override;

protected:
    using TKPXObject::TKPXObject;
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
};

} // namespace quillary
