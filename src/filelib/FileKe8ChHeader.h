#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace OvGraphFileLib {

// The 256-byte header of one ke8 channel record, kept whole and written back unchanged. The
// accessors name the bytes the reader uses; numbers are little-endian.
struct FileKe8ChHeader {
    static constexpr size_t kSize = 256;
    std::array<uint8_t, kSize> bytes{};

    // Bytes 12-43: the channel name, 8-bit text (CP932) ending at the first zero byte.
    std::u16string ChName() const;
    // Byte 53 non-zero: the interval at bytes 54-57 is in milliseconds, else in seconds.
    bool IntervalInMilliseconds() const { return bytes[53] != 0; }
    uint32_t IntervalField() const;
    // Bytes 60-73: the recording start as ASCII digits YYYYMMDDhhmmss in the computer's local
    // time, read as seconds since 1970 UTC; 0 when the field is not such a date.
    int64_t AsciiStartSeconds() const;
    // Bytes 77-80: seconds added to the recording start.
    uint32_t OffsetSeconds() const;
    // Bytes 83-86: recording start in seconds since 1970 UTC; when non-zero it replaces the
    // ASCII date.
    uint32_t UnixStartSeconds() const;
    // The recording start in seconds since 1970 UTC, by the two rules above.
    int64_t StartSeconds() const;
    // Bytes 110-113: number of stored 16-bit samples.
    uint32_t StoredCount() const;
    // Bytes 114-121: the auxiliary text, 8-bit text ending at the first zero byte.
    std::u16string AuxText() const;
    // Bytes 176-183 and 184-191: the scale factor and offset (little-endian doubles) of the
    // scale conversion value = code value x factor + offset. A factor of 0 or a value that is
    // not finite counts as not stored (factor 1, offset 0): zero-filled headers convert nothing.
    double ScaleFactor() const;
    double ScaleOffset() const;
    bool HasScaleConversion() const { return ScaleFactor() != 1.0 || ScaleOffset() != 0.0; }
    // Byte 229: the channel kind, which selects the channel type.
    uint8_t Kind() const { return bytes[229]; }
};

}  // namespace OvGraphFileLib
