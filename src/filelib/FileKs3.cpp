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
    // A failed load keeps nothing, so a later save cannot mix the old channels with a new header.
    m_header = {};
    m_channels.clear();
    std::vector<uint8_t> bytes;
    Stuff::ReadBytes(in, bytes, kHeaderSize, 4210, kLoad);
    if (std::memcmp(bytes.data(), "KZ33  ", 6) != 0) ThrowResult(kBrokenFile, 4211, kLoad);
    const int count = std::popcount(Stuff::LoadU32(&bytes[6])) + std::popcount(Stuff::LoadU32(&bytes[10]));
    std::vector<std::shared_ptr<FileKs3Ch>> channels;
    for (int i = 0; i < count; ++i) {
        auto channel = std::make_shared<FileKs3Ch>();
        channel->LoadImpl(in);
        channels.push_back(std::move(channel));
    }
    std::copy(bytes.begin(), bytes.end(), m_header.begin());
    m_channels = std::move(channels);
}

}  // namespace OvGraphFileLib
