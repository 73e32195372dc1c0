#include "filelib/FileKmvChHeader.h"

#include <string_view>

#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"

namespace OvGraphFileLib {
namespace {

// A decimal number in a fixed-width ASCII field: leading spaces, then digits up to the first
// non-digit.
int64_t AsciiNumber(const uint8_t* field, size_t width)
{
    size_t i = 0;
    while (i < width && field[i] == ' ') ++i;
    int64_t value = 0;
    for (; i < width && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10 + (field[i] - '0');
    return value;
}

}  // namespace

std::u16string FileKmvChHeader::ChName() const
{
    return TextCodec::FromCp932(&bytes[2], 32);
}

uint32_t FileKmvChHeader::FirstSeconds() const { return Stuff::LoadU32(&bytes[57]); }
int64_t FileKmvChHeader::IntervalSeconds() const { return AsciiNumber(&bytes[61], 5); }
int32_t FileKmvChHeader::RecordCount() const { return int32_t(AsciiNumber(&bytes[87], 5)); }
uint32_t FileKmvChHeader::SerialNo() const { return Stuff::LoadU32(&bytes[106]); }
uint16_t FileKmvChHeader::UpperLimitCode() const { return Stuff::LoadU16(&bytes[115]); }
uint16_t FileKmvChHeader::LowerLimitCode() const { return Stuff::LoadU16(&bytes[117]); }
int16_t FileKmvChHeader::TimeDiffMinutes() const { return int16_t(Stuff::LoadU16(&bytes[120])); }
int16_t FileKmvChHeader::StdBiasMinutes() const { return int16_t(Stuff::LoadU16(&bytes[122])); }
int16_t FileKmvChHeader::DstBiasMinutes() const { return int16_t(Stuff::LoadU16(&bytes[124])); }
uint16_t FileKmvChHeader::CumulativeFirstField() const { return Stuff::LoadU16(&bytes[128]); }
uint16_t FileKmvChHeader::CumulativeCode() const { return Stuff::LoadU16(&bytes[131]); }

}  // namespace OvGraphFileLib
