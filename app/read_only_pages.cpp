#include "app/read_only_pages.h"

#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace kesp {
namespace {

int DropSegments(dl_phdr_info* info, size_t, void* total) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        // Only data mapped from the file as it is: a writable segment holds relocated pointers
        // and variables, whose private pages would be lost.
        if (segment.p_type != PT_LOAD || segment.p_flags != PF_R) continue;
        const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        const std::uintptr_t first = (start + page - 1) & ~(page - 1);
        const std::uintptr_t last = (start + segment.p_filesz) & ~(page - 1);
        if (last <= first) continue;
        if (madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) == 0)
            *static_cast<long*>(total) += static_cast<long>(last - first);
    }
    return 0;
}

}  // namespace

long DropReadOnlyDataPages() {
    long total = 0;
    dl_iterate_phdr(DropSegments, &total);
    return total;
}

}  // namespace kesp
