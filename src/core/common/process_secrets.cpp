// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/process_secrets.h"

#include <sys/prctl.h>

namespace quillary {

void MarkProcessHoldingSecrets()
{
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

bool ProcessHoldsSecrets()
{
    return prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0;
}

} // namespace quillary
