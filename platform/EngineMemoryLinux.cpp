// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux side of EngineMemory.h: madvise(MADV_DONTNEED) from the engine's library, answered by zeroing.
// The helper's own definition of madvise comes before the C library's for every library it loads.

#include "EngineMemory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include <dlfcn.h>
#include <link.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

constexpr size_t MaxZeroedBytes = size_t(1) << 20;
constexpr size_t ZeroBlockBytes = size_t(64) << 10;
constexpr size_t ZeroBlocks = MaxZeroedBytes / ZeroBlockBytes;
const char ZeroBlock[ZeroBlockBytes] = {};

std::atomic<std::uintptr_t> engineStart{0};
std::atomic<std::uintptr_t> engineEnd{0};

struct Search {
    std::uintptr_t base = 0;
    std::uintptr_t start = UINTPTR_MAX;
    std::uintptr_t end = 0;
};

// The addresses that the loaded object at search->base occupies.
int measureObject(dl_phdr_info *info, size_t, void *data)
{
    auto *search = static_cast<Search *>(data);
    if (info->dlpi_addr != search->base)
        return 0;
    for (int index = 0; index < info->dlpi_phnum; ++index) {
        const ElfW(Phdr) &header = info->dlpi_phdr[index];
        if (header.p_type != PT_LOAD)
            continue;
        search->start = std::min<std::uintptr_t>(search->start, info->dlpi_addr + header.p_vaddr);
        search->end =
            std::max<std::uintptr_t>(search->end, info->dlpi_addr + header.p_vaddr + header.p_memsz);
    }
    return 1;
}

bool calledFromEngine(const void *caller)
{
    const auto address = reinterpret_cast<std::uintptr_t>(caller);
    return address >= engineStart.load(std::memory_order_relaxed) &&
           address < engineEnd.load(std::memory_order_relaxed);
}

// Writes zeros over the range through the kernel, which refuses (instead of faulting) where the range
// cannot be written.
bool zeroInPlace(void *address, size_t length)
{
    iovec zeros[ZeroBlocks];
    size_t count = 0;
    for (size_t done = 0; done < length; done += ZeroBlockBytes)
        zeros[count++] = {const_cast<char *>(ZeroBlock), std::min(ZeroBlockBytes, length - done)};
    const iovec target{address, length};
    return process_vm_writev(getpid(), zeros, count, &target, 1, 0) == ssize_t(length);
}

} // namespace

extern "C" int madvise(void *address, size_t length, int advice)
{
    if (advice == MADV_DONTNEED && length <= MaxZeroedBytes &&
        calledFromEngine(__builtin_return_address(0)) && zeroInPlace(address, length))
        return 0;
    return int(syscall(SYS_madvise, address, length, advice));
}

namespace platform {

bool keepEngineMemory(const void *addressInEngine)
{
    Dl_info object{};
    if (dladdr(addressInEngine, &object) == 0 || !object.dli_fbase)
        return false;
    Search search;
    search.base = reinterpret_cast<std::uintptr_t>(object.dli_fbase);
    dl_iterate_phdr(measureObject, &search);
    if (search.end <= search.start)
        return false;
    engineStart = search.start;
    engineEnd = search.end;
    return true;
}

} // namespace platform
