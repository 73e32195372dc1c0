#include "filelib/FileKs3.h"

#include <bit>
#include <cstring>

#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKs3::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKs3::LoadImpl";
}  // namespace

void FileKs3::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.data(), m_header.size(), 4200, kSave);
    for (const auto& channel : m_channels) channel->SaveImpl(out);
}

void FileKs3::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, kHeaderSize, 4210, kLoad);
    std::copy(header.begin(), header.end(), m_header.begin());
    if (std::memcmp(m_header.data(), "KZ33  ", 6) != 0) ThrowResult(kBrokenFile, 4211, kLoad);
    const int channels = std::popcount(Stuff::LoadU32(&m_header[6])) + std::popcount(Stuff::LoadU32(&m_header[10]));
    m_channels.clear();
    for (int i = 0; i < channels; ++i) {
        auto channel = std::make_shared<FileKs3Ch>();
        channel->LoadImpl(in);
        m_channels.push_back(std::move(channel));
    }
}

}  // namespace OvGraphFileLib
