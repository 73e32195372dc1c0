#pragma once

#include <cstdint>

namespace OvGraphFileLib {

// Time arithmetic on values read from files: a hostile interval must not overflow (undefined
// behaviour), so products wrap like the unsigned arithmetic of the hardware.
inline int64_t RecordTime(int64_t first, int64_t interval, int64_t index)
{
    return int64_t(uint64_t(first) + uint64_t(interval) * uint64_t(index));
}

// Number of records i >= 0 with first + i * interval < time (interval > 0), capped at count.
inline int32_t RecordsBefore(int64_t first, int64_t interval, int32_t count, int64_t time)
{
    __extension__ using Wide = __int128;
    if (time <= first) return 0;
    const Wide below = (Wide(time) - first + interval - 1) / interval;
    return below >= count ? count : int32_t(below);
}

}  // namespace OvGraphFileLib
