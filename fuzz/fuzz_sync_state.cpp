// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a sync state file: refused as damaged, or read into a state that is written
// back byte for byte, and never more held than a small multiple of the file.
#include "sync/sync_state.h"

#include "memory_bound.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quillary;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const fuzz::MemoryBound bound;
    try {
        const SyncState state = ReadSyncStateText(text);
        const std::string written = WriteSyncStateText(state);
        if (WriteSyncStateText(ReadSyncStateText(written)) != written)
            __builtin_trap();
    } catch (const DamagedState&) {
    }
    bound.Check(size, 24, 1 << 16);
    return 0;
}
