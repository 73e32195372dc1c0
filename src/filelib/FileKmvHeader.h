#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "filelib/Stuff.h"

namespace OvGraphFileLib {

// The 256-byte header at the start of a kmv file. Bytes 0-7 are two little-endian presence words:
// one channel record follows for every set bit. The other bytes are kept as read.
struct FileKmvHeader {
    static constexpr size_t kSize = 256;
    std::array<uint8_t, kSize> bytes{};

    uint32_t PresenceWord(int index) const { return Stuff::LoadU32(&bytes[size_t(index) * 4]); }
    int ChannelCount() const { return std::popcount(PresenceWord(0)) + std::popcount(PresenceWord(1)); }
};

}  // namespace OvGraphFileLib
