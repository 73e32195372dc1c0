#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>
#include <type_traits>
#include <vector>

#include "filelib/Result.h"

// Binary read and write primitives of the file library. Numbers are little-endian. Every call
// takes the location number and the caller's operation name and checks the stream right after
// the transfer: a failed write throws Result code 51, a failed read code 52.
namespace OvGraphFileLib::Stuff {

template <class T>
concept BinaryNumber = std::is_arithmetic_v<T> && !std::is_same_v<T, bool>;

template <BinaryNumber T>
void WriteBinary(std::ostream& out, T value, int32_t location, const char* where)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
    out.write(reinterpret_cast<const char*>(bytes), sizeof(T));
    if (out.fail() || out.bad()) ThrowResult(kWriteFailed, location, where);
}

template <BinaryNumber T>
void ReadBinary(std::istream& in, T& value, int32_t location, const char* where)
{
    unsigned char bytes[sizeof(T)];
    in.read(reinterpret_cast<char*>(bytes), sizeof(T));
    if (in.fail() || in.bad()) ThrowResult(kReadFailed, location, where);
    if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
    std::memcpy(&value, bytes, sizeof(T));
}

template <BinaryNumber T>
T Read(std::istream& in, int32_t location, const char* where)
{
    T value{};
    ReadBinary(in, value, location, where);
    return value;
}

// A text of the library's own formats: unsigned 16-bit byte count, then UTF-16LE code units.
void WriteText(std::ostream& out, const std::u16string& text, int32_t location, const char* where);
void ReadText(std::istream& in, std::u16string& text, int32_t location, const char* where);

void WriteBytes(std::ostream& out, const uint8_t* data, size_t size, int32_t location, const char* where);
// Reads count bytes into out (replacing its content). The count is checked against what remains
// (or at most can remain, RemainingBound) before anything is allocated; a shortfall is code 52
// at the location. Where the size is not known exactly, out grows only with bytes actually read.
void ReadBytes(std::istream& in, std::vector<uint8_t>& out, uint64_t count, int32_t location,
               const char* where);
void SkipBytes(std::istream& in, uint64_t count, int32_t location, const char* where);

// Bytes left between the read position and the end, or -1 when the stream cannot tell.
int64_t RemainingBytes(std::istream& in);

// A stream buffer that cannot say how many bytes remain but knows at most how many can (the
// inflating buffer of a compressed body). Readers refuse a count above it before allocating.
class BoundedStreamBuf : public std::streambuf {
public:
    // At most this many bytes can still be read; -1 when not even a bound is known.
    virtual int64_t MaxRemaining() const = 0;
};

// The bytes left when the stream can tell, else its buffer's bound, else -1.
int64_t RemainingBound(std::istream& in);

// Copies size bytes from a byte queue at offset into a buffer; a shortfall is code 52.
void CopyBinary(const std::vector<uint8_t>& from, size_t offset, void* to, size_t size, int32_t location,
                const char* where);

// Little-endian numbers inside a byte buffer (the caller has checked the bounds).
inline uint16_t LoadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t LoadU32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t LoadU64(const uint8_t* p) { return uint64_t(LoadU32(p)) | (uint64_t(LoadU32(p + 4)) << 32); }
inline double LoadDouble(const uint8_t* p) { return std::bit_cast<double>(LoadU64(p)); }
inline void StoreU16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void StoreU32(uint8_t* p, uint32_t v)
{
    StoreU16(p, uint16_t(v));
    StoreU16(p + 2, uint16_t(v >> 16));
}
inline void StoreU64(uint8_t* p, uint64_t v)
{
    StoreU32(p, uint32_t(v));
    StoreU32(p + 4, uint32_t(v >> 32));
}
inline void StoreDouble(uint8_t* p, double v) { StoreU64(p, std::bit_cast<uint64_t>(v)); }

}  // namespace OvGraphFileLib::Stuff
