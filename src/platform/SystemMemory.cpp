#include "platform/SystemMemory.h"

#include <unistd.h>

#include <fstream>
#include <string>

std::uint64_t AvailableSystemMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kibibytes = 0;
    std::string unit;
    while (meminfo >> key >> kibibytes >> unit)
        if (key == "MemAvailable:") return kibibytes * 1024;
    const long pages = sysconf(_SC_AVPHYS_PAGES), size = sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? std::uint64_t(pages) * std::uint64_t(size)
                                 : std::uint64_t(1) << 32;
}
