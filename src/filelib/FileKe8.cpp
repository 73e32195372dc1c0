#include "filelib/FileKe8.h"

#include "filelib/Stuff.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::FileKe8::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::FileKe8::LoadImpl";
}  // namespace

void FileKe8::SaveImpl(std::ostream& out) const
{
    Stuff::WriteBytes(out, m_header.bytes.data(), m_header.bytes.size(), 2100, kSave);
    for (const auto& channel : m_channels) channel->SaveImpl(out);
}

void FileKe8::LoadImpl(std::istream& in)
{
    std::vector<uint8_t> header;
    Stuff::ReadBytes(in, header, FileKe8Header::kSize, 2110, kLoad);
    std::copy(header.begin(), header.end(), m_header.bytes.begin());
    if (!m_header.HasMagic()) ThrowResult(kUnsupportedFile, 2111, kLoad);
    m_channels.clear();
    for (int i = 0; i < m_header.ChannelCount(); ++i) {
        auto channel = std::make_shared<FileKe8Ch>();
        channel->LoadImpl(in);
        m_channels.push_back(std::move(channel));
    }
}

ChList FileKe8::GetChList() const { return {m_channels.begin(), m_channels.end()}; }

}  // namespace OvGraphFileLib
