#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "Common/Library/OvChType.h"

namespace OvGraphFileLib {

// Every 16-bit code's value for one channel type, so that samples decode by one lookup. Decode
// is the format's rule for one code; it must decode every type the type table does not list
// alike, as the type table does, so those share one table: a file naming thousands of made-up
// types costs one table, not half a megabyte each. A table is built on the first use of its type
// and lives for the process; safe for concurrent readers.
template <double (*Decode)(int32_t chType, uint16_t code)>
const double* CodeValueTable(uint16_t chType)
{
    constexpr uint16_t kUnlisted = 0xFFFF;  // not a listed type
    if (!orvel::detail::IsListedChType(chType)) chType = kUnlisted;
    static std::array<std::atomic<const double*>, 65536> tables{};
    static std::mutex building;
    const double* table = tables[chType].load(std::memory_order_acquire);
    if (table) return table;
    std::lock_guard lock(building);
    table = tables[chType].load(std::memory_order_relaxed);
    if (table) return table;
    auto* values = new double[65536];
    for (uint32_t code = 0; code < 65536; ++code) values[code] = Decode(chType, uint16_t(code));
    tables[chType].store(values, std::memory_order_release);
    return values;
}

}  // namespace OvGraphFileLib
