#include "filelib/FileKmw.h"

#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKmw::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKmw::LoadImpl";
}  // namespace

void FileKmw::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.bytes.data(), m_header.bytes.size(), 2100, kSave);
    for (const auto& channel : m_channels) channel->SaveImpl(out);
}

void FileKmw::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKmvHeader::kSize, 2110, kLoad);
    std::copy(header.begin(), header.end(), m_header.bytes.begin());
    m_channels.clear();
    for (int i = 0; i < m_header.ChannelCount(); ++i) {
        auto channel = std::make_shared<FileKmwCh>();
        channel->LoadImpl(in);
        m_channels.push_back(std::move(channel));
    }
}

ChList FileKmw::GetChList() const { return {m_channels.begin(), m_channels.end()}; }

}  // namespace OvGraphFileLib
