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
    m_channels.clear();  // a failed load keeps nothing, of this load or an earlier one
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKmvHeader::kSize, 2110, kLoad);
    std::copy(header.begin(), header.end(), m_header.bytes.begin());
    decltype(m_channels) channels;  // kept only once all of them have loaded
    for (int i = 0; i < m_header.ChannelCount(); ++i) {
        auto channel = std::make_shared<FileKmwCh>();
        channel->LoadImpl(in);
        channels.push_back(std::move(channel));
    }
    m_channels = std::move(channels);
}

ChList FileKmw::GetChList() const { return {m_channels.begin(), m_channels.end()}; }

}  // namespace OvGraphFileLib
