#include "App/FileKmbGraphState.h"

#include <cstring>
#include <exception>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "filelib/Stuff.h"
#include "filelib/XmlLiteHelperException.h"

namespace ovgApp {
namespace {
constexpr const char* kSave = "FileKmbGraphState::SaveImpl";
constexpr const char* kLoad = "FileKmbGraphState::LoadImpl";
constexpr char kTag[3] = {'G', 'r', 'D'};
constexpr size_t kReserved = 9;
}  // namespace

void FileKmbGraphState::SaveImpl(std::ostream& out) const
{
    using namespace OvGraphFileLib;
    using namespace OvGraphFileLib::Stuff;
    if (!m_tree) ThrowResult(kBadBlock, 5300, kSave);
    std::string document;
    try {
        document = WriteXmlDocument(*m_tree);
    } catch (const std::exception&) {
        ThrowResult(kBadBlock, 5301, kSave);
    }
    if (document.empty() || document.size() > std::numeric_limits<uint32_t>::max()) ThrowResult(kBadBlock, 5301, kSave);
    WriteBytes(out, reinterpret_cast<const uint8_t*>(kTag), sizeof kTag, 5302, kSave);
    const uint8_t reserved[kReserved] = {};
    WriteBytes(out, reserved, kReserved, 5303, kSave);
    WriteBinary(out, uint32_t(document.size()), 5304, kSave);
    WriteBytes(out, reinterpret_cast<const uint8_t*>(document.data()), document.size(), 5305, kSave);
}

void FileKmbGraphState::LoadImpl(std::istream& in)
{
    using namespace OvGraphFileLib;
    using namespace OvGraphFileLib::Stuff;
    std::vector<uint8_t> bytes;
    ReadBytes(in, bytes, sizeof kTag, 5320, kLoad);
    if (std::memcmp(bytes.data(), kTag, sizeof kTag) != 0) ThrowResult(kReadFailed, 5321, kLoad);
    SkipBytes(in, kReserved, 5322, kLoad);
    const uint32_t length = Read<uint32_t>(in, 5423, kLoad);
    ReadBytes(in, bytes, length, 5424, kLoad);
    try {
        m_tree = ReadXmlDocument(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const XmlLiteHelperException&) {
        ThrowResult(kReadFailed, 5425, kLoad);
    }
}

}  // namespace ovgApp
