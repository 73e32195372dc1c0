#include "filelib/FileKmvChRawData.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {

// Every code's value, per type: samples decode by one lookup. A table is built on first use of
// its type and lives for the process; safe for concurrent readers.
const double* ValueTable(uint16_t chType)
{
    static std::array<std::atomic<const double*>, 65536> tables{};
    static std::mutex building;
    const double* table = tables[chType].load(std::memory_order_acquire);
    if (table) return table;
    std::lock_guard lock(building);
    table = tables[chType].load(std::memory_order_relaxed);
    if (table) return table;
    auto* values = new double[65536];
    for (uint32_t code = 0; code < 65536; ++code) values[code] = FileKmvChRawData::DecodeCode(chType, uint16_t(code));
    tables[chType].store(values, std::memory_order_release);
    return values;
}

}  // namespace

double FileKmvChRawData::DecodeCode(int32_t chType, uint16_t code)
{
    const orvel::detail::OvChTypeBase& type = orvel::detail::OvChTypeOf(uint16_t(chType));
    switch (chType) {
        case 13:
            if (code >= 31037 && code <= 32766) return type.GetDataValue(uint16_t(code - 32767));
            if (type.IsInvalid(code) || code == 0xFFFF || code > type.GetMaxRaw()) return INVALID_VALUE;
            break;
        case 85:
            if (type.IsInvalid(code) || code > 39399) return INVALID_VALUE;
            break;
        default:
            // An unknown type byte reads as plain numbers (type 0); only a 32-bit type cannot
            // decode a 16-bit code.
            if (type.GetRawSize() > 2 || type.IsInvalid(code) || code > type.GetMaxRaw())
                return INVALID_VALUE;
    }
    return type.GetDataValue(code);
}

double FileKmvChRawData::GetValue(int32_t index) const
{
    if (!InRange(index) || GetElementSize() < 2) return INVALID_VALUE;
    return ValueTable(uint16_t(GetChType()))[Stuff::LoadU16(Record(index))];
}

void FileKmvChRawData::GetValues(int32_t first, int32_t count, double* out) const
{
    const double* table = ValueTable(uint16_t(GetChType()));
    const uint8_t* record = Record(first);
    for (int32_t k = 0; k < count; ++k, record += 2) out[k] = table[Stuff::LoadU16(record)];
}

}  // namespace OvGraphFileLib
