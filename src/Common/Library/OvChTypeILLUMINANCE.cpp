#include "Common/Library/OvChTypeILLUMINANCE.h"

#include "Common/Library/OvChTypeFormat.h"
#include "Common/Library/OvChTypeRanges.h"

namespace orvel::detail {

uint16_t OvChTypeILLUMINANCE::IntToRaw(int64_t integer) const
{
    if (integer < 0) return 0;
    if (integer < 4096) return uint16_t(integer);
    int exponent = 0;
    while (integer > 4095) {
        integer >>= 1;
        ++exponent;
    }
    if (exponent > 15) return 0xFFFF;  // beyond what 4 exponent bits hold
    return uint16_t((exponent << 12) + integer);
}

double OvChTypeILLUMINANCE::GetDataValue(uint16_t raw) const
{
    return RoundToSteps(RawToValue(raw), RoundingSteps());
}

std::u16string OvChTypeILLUMINANCE::DisplayText(int64_t integer, std::u16string* unitText) const
{
    return AutoRangeText(RangeTable(), integer, GetUnit(), unitText);
}

const AutoRangeTable& OvChTypeILLUMINANCE::RangeTable() const { return kIlluminanceRanges; }
std::span<const RoundingStep> OvChTypeILLUMINANCE::RoundingSteps() const { return kIlluminanceSteps; }

const AutoRangeTable& OvChTypeILLUMINANCE_CUMULATIVE::RangeTable() const { return kIlluminanceCumulativeRanges; }
std::span<const RoundingStep> OvChTypeILLUMINANCE_CUMULATIVE::RoundingSteps() const { return kIlluminanceCumulativeSteps; }

const AutoRangeTable& OvChTypeUV_INTENSITY::RangeTable() const { return kUvRanges; }
std::span<const RoundingStep> OvChTypeUV_INTENSITY::RoundingSteps() const { return kFourDigitSteps; }

const AutoRangeTable& OvChTypeUV_INTENSITY_CUMULATIVE::RangeTable() const { return kUvRanges; }
std::span<const RoundingStep> OvChTypeUV_INTENSITY_CUMULATIVE::RoundingSteps() const { return kUvCumulativeSteps; }

}  // namespace orvel::detail
