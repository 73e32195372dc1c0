#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace OvGraphFileLib {

// The 256-byte header of one kmv channel record, kept whole and written back unchanged.
// Most fields are fixed-width ASCII digits; the accessors name the bytes the reader uses.
struct FileKmvChHeader {
    static constexpr size_t kSize = 256;
    std::array<uint8_t, kSize> bytes{};

    // Bytes 2-33: the channel name, 8-bit text (CP932) ending at the first zero byte.
    std::u16string ChName() const;
    // Bytes 57-60: time of the first record, seconds since 1970 UTC.
    uint32_t FirstSeconds() const;
    // Bytes 61-65: recording interval in seconds, ASCII digits.
    int64_t IntervalSeconds() const;
    // Byte 66: the logger's type byte (13, 14, 65, 67, 73, 85, 208 or 209).
    uint8_t TypeByte() const { return bytes[66]; }
    // Bytes 87-91: number of records, ASCII digits; not a number reads as 0.
    int32_t RecordCount() const;
    // Byte 105 at 0xF1 or above marks the serial number at bytes 106-109 as valid.
    bool HasSerialNo() const { return bytes[105] >= 0xF1; }
    uint32_t SerialNo() const;
    // Byte 114: limit kind 'C', 'F', 'H' (tenths), 'I' (illuminance code), 'U' (UV code).
    uint8_t LimitKind() const { return bytes[114]; }
    uint16_t UpperLimitCode() const;
    uint16_t LowerLimitCode() const;
    // Byte 119 is 'v' when the time-zone fields (signed minutes, UTC minus local) are valid.
    bool HasTimeZone() const { return bytes[119] == 'v'; }
    int16_t TimeDiffMinutes() const;
    int16_t StdBiasMinutes() const;
    int16_t DstBiasMinutes() const;
    // Bytes 128-129: first field of the cumulative record (carried, not otherwise used).
    uint16_t CumulativeFirstField() const;
    // Byte 130 is 'v' when an illuminance or UV channel carries a cumulative record.
    bool HasCumulative() const { return bytes[130] == 'v'; }
    void ClearCumulativeMark() { bytes[130] = 0; }
    // Bytes 131-132: the cumulative raw code.
    uint16_t CumulativeCode() const;
};

}  // namespace OvGraphFileLib
