#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace OvGraphFileLib {

// The settings table of a kn1 or kn2 file: 16 inputs of 48 bytes, little-endian.
//   +0      non-zero when the input is recorded
//   +1      decimal places, signed (-1: the channel type's default)
//   +2-3    channel type code
//   +4      limit flags: bit 0 the upper limit is given, bit 1 the lower limit
//   +8-15   upper limit, +16-23 lower limit (doubles in the channel's unit)
//   +24-47  channel name (CP932, ending at the first zero byte)
// Bytes +5-7 are kept as read.
struct FileKnSettingsTable {
    static constexpr size_t kSize = 768;
    static constexpr size_t kEntrySize = 48;
    static constexpr int kInputs = 16;
    std::array<uint8_t, kSize> bytes{};

    bool IsRecorded(int input) const;
    int RecordedCount() const;
    int8_t DecimalPlaces(int input) const;
    uint16_t ChType(int input) const;
    // NO_UPPER_LIMIT / NO_LOWER_LIMIT when the flag is clear or the stored number is not finite.
    double UpperLimit(int input) const;
    double LowerLimit(int input) const;
    std::u16string ChName(int input) const;

private:
    const uint8_t* Entry(int input) const { return &bytes[kEntrySize * size_t(input)]; }
};

// The 1280-byte file header of a kn1 or kn2 file, kept as read:
//   0-7     magic: the model text padded with zero bytes ("QNS-7A" for kn1, "QNS-7BK" for kn2)
//   8-9     format version, 1
//   10-11   number of recorded inputs; must match the settings table
//   12-15   serial number
//   16-47   logger name (CP932, ending at the first zero byte)
//   48-55   time of the first scan, milliseconds since 1970 UTC, signed
//   56-59   scan interval in milliseconds, above 0
//   60-63   time difference, local time minus UTC in minutes, signed; INT32_MIN: not given
//   512-1279 the settings table
// The other bytes are logger settings the graph does not use.
struct FileKnFileHeader {
    static constexpr size_t kSize = 1280;
    static constexpr size_t kTableOffset = 512;
    static constexpr size_t kMagicSize = 8;
    std::array<uint8_t, kTableOffset> bytes{};
    FileKnSettingsTable table;

    std::string_view Magic() const { return {reinterpret_cast<const char*>(bytes.data()), kMagicSize}; }
    uint16_t Version() const;
    uint16_t RecordedInputs() const;
    uint32_t SerialNo() const;
    std::u16string LoggerName() const;
    int64_t FirstTime() const;
    uint32_t Interval() const;
    // Milliseconds, or NOT_GIVEN.
    int64_t TimeDiff() const;
};

// The data block: every byte after the file header, to the end of the file; no length is stored.
struct FileKnBlock {
    std::vector<uint8_t> bytes;

    // Throw Result: code 52 at the location when the stream fails before its end.
    void Read(std::istream& in, int32_t location, const char* where);
};

// The two models share the layout.
using FileKn1FileHeader = FileKnFileHeader;
using FileKn2FileHeader = FileKnFileHeader;
using FileKn1SettingsTable = FileKnSettingsTable;
using FileKn2SettingsTable = FileKnSettingsTable;
using FileKn1Block = FileKnBlock;
using FileKn2Block = FileKnBlock;

}  // namespace OvGraphFileLib
