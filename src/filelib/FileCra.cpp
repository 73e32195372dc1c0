#include "filelib/FileCra.h"

#include <cstring>

#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileCra::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileCra::LoadImpl";
}  // namespace

void FileCra::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.data(), m_header.size(), 1000, kSave);
    for (const auto& channel : m_channels) channel->SaveImpl(out);
}

void FileCra::LoadImpl(std::istream& in)
{
    // A failed load keeps nothing, so a later save cannot mix the old channels with a new header.
    m_header = {};
    m_channels.clear();
    std::vector<uint8_t> bytes;
    Stuff::ReadBytes(in, bytes, kHeaderSize, 1010, kLoad);
    if (std::memcmp(bytes.data(), "CRA", 3) != 0) ThrowResult(kUnsupportedFile, 1011, kLoad);
    if (bytes[4] != 1) ThrowResult(kNewerVersion, 1012, kLoad);
    const uint32_t blocks = Stuff::LoadU32(&bytes[8]);
    // Each block reads its header first, so a count larger than the file fails at the first
    // missing header without allocating for the rest.
    std::vector<std::shared_ptr<FileCraCh>> channels;
    for (uint32_t i = 0; i < blocks; ++i) {
        auto channel = std::make_shared<FileCraCh>();
        channel->LoadImpl(in);
        channels.push_back(std::move(channel));
    }
    std::copy(bytes.begin(), bytes.end(), m_header.begin());
    m_channels = std::move(channels);
}

}  // namespace OvGraphFileLib
