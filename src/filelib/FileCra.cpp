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
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, kHeaderSize, 1010, kLoad);
    std::copy(header.begin(), header.end(), m_header.begin());
    if (std::memcmp(m_header.data(), "CRA", 3) != 0) ThrowResult(kUnsupportedFile, 1011, kLoad);
    if (m_header[4] != 1) ThrowResult(kNewerVersion, 1012, kLoad);
    const uint32_t blocks = Stuff::LoadU32(&m_header[8]);
    m_channels.clear();
    // Each block reads its header first, so a count larger than the file fails at the first
    // missing header without allocating for the rest.
    for (uint32_t i = 0; i < blocks; ++i) {
        auto channel = std::make_shared<FileCraCh>();
        channel->LoadImpl(in);
        m_channels.push_back(std::move(channel));
    }
}

}  // namespace OvGraphFileLib
