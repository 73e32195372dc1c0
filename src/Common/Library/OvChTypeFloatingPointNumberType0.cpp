#include "Common/Library/OvChTypeFloatingPointNumberType0.h"

#include "Common/Library/OvChTypeRanges.h"

namespace orvel::detail {

int64_t OvChTypeFloatingPointNumberType0::RawToInt(uint16_t raw) const
{
    const int exponent = (raw >> 12) & 0x7;
    const int64_t mantissa = raw & 0x0FFF;
    if ((raw & 0x8000) == 0) return mantissa << exponent;
    return -(((~mantissa & 0x0FFF) + 1) << exponent);
}

uint16_t OvChTypeFloatingPointNumberType0::IntToRaw(int64_t integer) const
{
    const bool negative = integer < 0;
    uint64_t magnitude = negative ? uint64_t(0) - uint64_t(integer) : uint64_t(integer);
    int exponent = 0;
    while (magnitude > 4095) {
        magnitude >>= 1;
        ++exponent;
    }
    if (exponent > 7) return 0xF000;  // out of range
    // A negative mantissa is the two's complement of the magnitude within 12 bits.
    const uint16_t mantissa = uint16_t((negative ? 4096 - magnitude : magnitude) & 0x0FFF);
    return uint16_t(mantissa | (exponent << 12) | (negative ? 0x8000 : 0));
}

std::u16string OvChTypeCURRENT_10_MICRO_A::DisplayText(int64_t integer, std::u16string* unitText) const
{
    return AutoRangeText(kCurrentRanges, integer, GetUnit(), unitText);
}

double OvChTypeVOLTAGE_100_MICRO_V::GetDataValue(uint16_t raw) const
{
    return RoundToSteps(RawToValue(raw), kFourDigitSteps);
}

std::u16string OvChTypeVOLTAGE_100_MICRO_V::DisplayText(int64_t integer, std::u16string* unitText) const
{
    return AutoRangeText(kVoltageRanges, integer, GetUnit(), unitText);
}

double OvChTypeLX_100_MICRO_DB::GetDataValue(uint16_t raw) const
{
    return RoundToSteps(RawToValue(raw), kFourDigitSteps);
}

}  // namespace orvel::detail
