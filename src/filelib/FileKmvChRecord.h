#pragma once

#include <istream>
#include <ostream>
#include <vector>

#include "filelib/SharedBytes.h"

#include "filelib/FileKmvChHeader.h"

namespace OvGraphFileLib {

// One channel record in the kmv layout (kmv, kaq, kac and kmw files): the 256-byte channel header,
// count 16-bit samples and zero to 15 padding bytes up to a multiple of 16. Kept as read, so the
// bytes written are the bytes read. Throw Result: write 3300-3302, read 3310-3312.
struct FileKmvChRecord {
    FileKmvChHeader header;
    SharedBytes samples;  // count * 2 bytes of little-endian codes, shared with the blocks made of them
    std::vector<uint8_t> padding;

    void Save(std::ostream& out, const char* where) const;
    void Load(std::istream& in, const char* where);
    // Sets the samples and zero padding after them.
    void SetSamples(std::vector<uint8_t> codes);

    static size_t PaddingFor(size_t sampleBytes) { return ((sampleBytes + 15) & ~size_t(15)) - sampleBytes; }
};

}  // namespace OvGraphFileLib
