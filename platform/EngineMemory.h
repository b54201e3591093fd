// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The render helper's side of the PDF engine's memory: linked only into the helper (target enginememory).
namespace platform {

// The PDF engine's allocator gives small ranges of freed memory back to the system and takes them again
// thousands of times for one chart page; on a virtual machine each of those returns costs a flush of the
// address translation, and drawing a detailed chart took several times as long as it needs. From this call
// on, a range of at most 1 MiB that the library holding addressInEngine gives back is zeroed in place
// instead, which is what the allocator expects of returned memory; the memory stays with the helper, whose
// address space is bounded anyway. Ranges that cannot be written, larger ones and those of every other
// library go to the system as before. False when the library cannot be found: nothing changes then.
bool keepEngineMemory(const void *addressInEngine);

} // namespace platform
