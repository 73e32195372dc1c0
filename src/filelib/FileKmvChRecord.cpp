#include "filelib/FileKmvChRecord.h"

#include <algorithm>

#include "filelib/Stuff.h"

namespace OvGraphFileLib {

void FileKmvChRecord::Save(std::ostream& out, const char* where) const
{
    Stuff::WriteBytes(out, header.bytes.data(), header.bytes.size(), 3300, where);
    Stuff::WriteBytes(out, samples.data(), samples.size(), 3301, where);
    Stuff::WriteBytes(out, padding.data(), padding.size(), 3302, where);
}

void FileKmvChRecord::Load(std::istream& in, const char* where)
{
    std::vector<uint8_t> bytes;
    Stuff::ReadBytes(in, bytes, FileKmvChHeader::kSize, 3310, where);
    std::copy(bytes.begin(), bytes.end(), header.bytes.begin());
    const uint64_t sampleBytes = uint64_t(header.RecordCount()) * 2;
    samples = SharedBytes();
    Stuff::ReadBytes(in, samples.Edit(), sampleBytes, 3311, where);
    Stuff::ReadBytes(in, padding, PaddingFor(sampleBytes), 3312, where);
}

void FileKmvChRecord::SetSamples(std::vector<uint8_t> codes)
{
    samples = std::move(codes);
    padding.assign(PaddingFor(samples.size()), 0);
}

}  // namespace OvGraphFileLib
