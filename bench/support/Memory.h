#pragma once
// The process's resident memory, as the benchmarks measure growth per item.

#include <unistd.h>

#include <cstdio>

namespace orvel::bench {

/// Resident set size of this process in bytes (0 when /proc cannot tell).
inline double residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

} // namespace orvel::bench
