#include "Common/Library/OvChTypePrimitiveUINT16.h"

#include "Common/Library/OvChTypeFormat.h"

namespace orvel::detail {

int64_t OvChTypeVOLTAGE_QXA41::RawToInt(uint16_t raw) const
{
    const int64_t magnitude = raw & 0x3FFF;
    return (raw & 0x4000) ? -magnitude : magnitude;
}

uint16_t OvChTypeVOLTAGE_QXA41::IntToRaw(int64_t integer) const
{
    const uint64_t magnitude = integer < 0 ? uint64_t(0) - uint64_t(integer) : uint64_t(integer);
    return uint16_t((magnitude & 0x3FFF) | (integer < 0 ? 0x4000 : 0));
}

std::string OvChTypeVOLTAGE_QXA41::FormatIntNarrow(uint16_t raw) const { return std::to_string(RawToInt(raw)); }

std::u16string OvChTypeVOLTAGE_QXA41::DisplayText(int64_t integer, std::u16string* unitText) const
{
    if (unitText) *unitText = u"m" + GetUnit();
    return Widen(std::to_string(integer));
}

}  // namespace orvel::detail
