#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "filelib/Stuff.h"

namespace OvGraphFileLib {

// The 128-byte header at the start of a ke8 file (also kej and kad). Bytes 0-5 hold the magic
// "QXA41 " (with its trailing space); bytes 6-9 and 10-13 are two little-endian presence words,
// one channel record follows for every set bit. The other bytes are kept as read.
struct FileKe8Header {
    static constexpr size_t kSize = 128;
    static constexpr std::array<uint8_t, 6> kMagic{'Q', 'X', 'A', '4', '1', ' '};
    std::array<uint8_t, kSize> bytes{};

    bool HasMagic() const { return std::equal(kMagic.begin(), kMagic.end(), bytes.begin()); }
    uint32_t PresenceWord(int index) const { return Stuff::LoadU32(&bytes[6 + size_t(index) * 4]); }
    int ChannelCount() const { return std::popcount(PresenceWord(0)) + std::popcount(PresenceWord(1)); }
};

}  // namespace OvGraphFileLib
