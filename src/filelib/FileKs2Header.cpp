#include "filelib/FileKs2Header.h"

#include <algorithm>
#include <string_view>

#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"

namespace OvGraphFileLib {
namespace {

struct ModelEntry {
    uint16_t code;
    const char16_t* name;
};
constexpr ModelEntry kModels[] = {{8305, u"QZP-31"}, {8306, u"QZP-32"}};

constexpr size_t kChannelTable = 64;
constexpr size_t kChannelEntry = 40;

}  // namespace

bool FileKs2Header::HasMagic() const
{
    const std::string_view magic(reinterpret_cast<const char*>(bytes.data()), 4);
    return magic == "QXRA" || magic == "QXRS";
}

uint16_t FileKs2Header::ModelCode() const { return Stuff::LoadU16(&bytes[4]); }

std::u16string FileKs2Header::Model() const
{
    const uint16_t code = ModelCode();
    const auto found = std::find_if(std::begin(kModels), std::end(kModels),
                                    [code](const ModelEntry& entry) { return entry.code == code; });
    return found == std::end(kModels) ? std::u16string() : std::u16string(found->name);
}

uint16_t FileKs2Header::ChannelCount() const { return Stuff::LoadU16(&bytes[6]); }
uint16_t FileKs2Header::ChannelCountCopy() const { return Stuff::LoadU16(&bytes[8]); }
uint32_t FileKs2Header::SerialNo() const { return Stuff::LoadU32(&bytes[12]); }
uint32_t FileKs2Header::FirstSeconds() const { return Stuff::LoadU32(&bytes[16]); }
uint32_t FileKs2Header::IntervalSeconds() const { return Stuff::LoadU32(&bytes[20]); }
uint32_t FileKs2Header::RecordCount() const { return Stuff::LoadU32(&bytes[24]); }
uint32_t FileKs2Header::RecordCountCopy() const { return Stuff::LoadU32(&bytes[28]); }

std::u16string FileKs2Header::ChName(int channel) const
{
    return TextCodec::FromCp932(&bytes[kChannelTable + kChannelEntry * size_t(channel)], 32);
}

uint16_t FileKs2Header::ChType(int channel) const
{
    return Stuff::LoadU16(&bytes[kChannelTable + kChannelEntry * size_t(channel) + 32]);
}

}  // namespace OvGraphFileLib
