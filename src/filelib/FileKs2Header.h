#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace OvGraphFileLib {

// The 416-byte header of a ks2 file, kept as read. Numbers are little-endian:
//   0-3    magic "QXRA" or "QXRS"
//   4-5    model code (8305 "QZP-31", 8306 "QZP-32")
//   6-7    channel count, 1 to 8; 8-9 the same count again
//   12-15  serial number
//   16-19  time of the first record of every channel, seconds since 1970 UTC
//   20-23  recording interval in seconds
//   24-27  number of 4-byte records that follow the header; 28-31 the same number again
//   64 + 40 x c, channel c: 32 bytes of name (CP932, ending at the first zero byte), then the
//          16-bit channel type code at +32
struct FileKs2Header {
    static constexpr size_t kSize = 416;
    static constexpr int kMaxChannels = 8;
    std::array<uint8_t, kSize> bytes{};

    bool HasMagic() const;
    uint16_t ModelCode() const;
    // "QZP-31" or "QZP-32" by the model code, else empty.
    std::u16string Model() const;
    uint16_t ChannelCount() const;
    uint16_t ChannelCountCopy() const;
    uint32_t SerialNo() const;
    uint32_t FirstSeconds() const;
    uint32_t IntervalSeconds() const;
    uint32_t RecordCount() const;
    uint32_t RecordCountCopy() const;
    std::u16string ChName(int channel) const;
    uint16_t ChType(int channel) const;
};

}  // namespace OvGraphFileLib
