// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"

namespace quillary {

// Where "today" comes from, so that due reminders can be tested on any day.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual CivilDate Today() const = 0;
};

// The local calendar date of the machine.
class SystemClock final : public Clock
{
public:
    CivilDate Today() const override;
};

} // namespace quillary
