#include "App/FileKmbFileHeader.h"

#include <cstring>
#include <vector>

#include "filelib/Stuff.h"

namespace ovgApp {
namespace {
constexpr const char* kSave = "FileKmbFileHeader::SaveImpl";
constexpr const char* kLoad = "FileKmbFileHeader::LoadImpl";
constexpr char kMagic[3] = {'K', 'M', 'B'};
}  // namespace

void FileKmbFileHeader::SaveImpl(std::ostream& out) const
{
    using namespace OvGraphFileLib::Stuff;
    uint8_t bytes[kSize] = {};
    std::memcpy(bytes, kMagic, sizeof kMagic);
    StoreU16(&bytes[3], m_version);
    bytes[5] = m_compressed;
    StoreU16(&bytes[6], m_chCount);
    bytes[8] = m_temperatureUnit;
    WriteBytes(out, bytes, kSize, 5100, kSave);
}

void FileKmbFileHeader::LoadImpl(std::istream& in)
{
    using namespace OvGraphFileLib::Stuff;
    std::vector<uint8_t> bytes;
    ReadBytes(in, bytes, kSize, 5110, kLoad);
    if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        OvGraphFileLib::ThrowResult(OvGraphFileLib::kUnsupportedFile, 5111, kLoad);
    m_version = LoadU16(&bytes[3]);
    m_compressed = bytes[5];
    m_chCount = LoadU16(&bytes[6]);
    m_temperatureUnit = bytes[8];
}

}  // namespace ovgApp
