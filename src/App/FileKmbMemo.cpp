#include "App/FileKmbMemo.h"

#include <cstring>
#include <vector>

#include "filelib/Stuff.h"

namespace ovgApp {
namespace {
constexpr const char* kSave = "FileKmbMemo::SaveImpl";
constexpr const char* kLoad = "FileKmbMemo::LoadImpl";
constexpr char kTag[4] = {'M', 'e', 'm', 'o'};
constexpr size_t kReserved = 12;
}  // namespace

void FileKmbMemo::SaveImpl(std::ostream& out) const
{
    using namespace OvGraphFileLib::Stuff;
    WriteBytes(out, reinterpret_cast<const uint8_t*>(kTag), sizeof kTag, 5230, kSave);
    const uint8_t reserved[kReserved] = {};
    WriteBytes(out, reserved, kReserved, 5231, kSave);
    WriteText(out, m_text.toStdU16String(), 5232, kSave);
}

void FileKmbMemo::LoadImpl(std::istream& in)
{
    using namespace OvGraphFileLib::Stuff;
    std::vector<uint8_t> tag;
    ReadBytes(in, tag, sizeof kTag, 5270, kLoad);
    if (std::memcmp(tag.data(), kTag, sizeof kTag) != 0)
        OvGraphFileLib::ThrowResult(OvGraphFileLib::kReadFailed, 5271, kLoad);
    SkipBytes(in, kReserved, 5272, kLoad);
    std::u16string text;
    ReadText(in, text, 5273, kLoad);
    m_text = QString::fromStdU16String(text);
}

}  // namespace ovgApp
