#include "filelib/FileKmv.h"

#include "filelib/FileKmvChCumulative.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKmv::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKmv::LoadImpl";
}  // namespace

void FileKmv::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.bytes.data(), m_header.bytes.size(), 2100, kSave);
    for (const auto& channel : m_channels) channel->SaveImpl(out);
}

void FileKmv::LoadImpl(std::istream& in)
{
    m_channels.clear();  // a failed load keeps nothing, of this load or an earlier one
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKmvHeader::kSize, 2110, kLoad);
    std::copy(header.begin(), header.end(), m_header.bytes.begin());
    decltype(m_channels) channels;  // kept only once all of them have loaded
    for (int i = 0; i < m_header.ChannelCount(); ++i) {
        auto channel = std::make_shared<FileKmvCh>();
        channel->LoadImpl(in);
        channels.push_back(std::move(channel));
    }
    m_channels = std::move(channels);
}

ChList FileKmv::GetChList() const
{
    ChList list;
    for (const auto& channel : m_channels) {
        const uint16_t type = channel->GetChType();
        if ((type == 73 || type == 85) && channel->Header().HasCumulative()) {
            auto copy = std::make_shared<FileKmvCh>(*channel);
            copy->Header().ClearCumulativeMark();
            list.push_back(copy);
            list.push_back(std::make_shared<FileKmvChCumulative>(*channel));
        } else {
            list.push_back(channel);
        }
    }
    return list;
}

}  // namespace OvGraphFileLib
