#include "filelib/FileKe8ChHeader.h"

#include <cmath>
#include <ctime>
#include <string_view>

#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"

namespace OvGraphFileLib {
namespace {

// A fixed-width field of ASCII digits; -1 when any character is not a digit.
int64_t Digits(const uint8_t* field, size_t width)
{
    int64_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        if (field[i] < '0' || field[i] > '9') return -1;
        value = value * 10 + (field[i] - '0');
    }
    return value;
}

}  // namespace

std::u16string FileKe8ChHeader::ChName() const { return TextCodec::FromCp932(&bytes[12], 32); }
uint32_t FileKe8ChHeader::IntervalField() const { return Stuff::LoadU32(&bytes[54]); }
uint32_t FileKe8ChHeader::OffsetSeconds() const { return Stuff::LoadU32(&bytes[77]); }
uint32_t FileKe8ChHeader::UnixStartSeconds() const { return Stuff::LoadU32(&bytes[83]); }
uint32_t FileKe8ChHeader::StoredCount() const { return Stuff::LoadU32(&bytes[110]); }
std::u16string FileKe8ChHeader::AuxText() const { return TextCodec::FromCp932(&bytes[114], 8); }

int64_t FileKe8ChHeader::AsciiStartSeconds() const
{
    const int64_t year = Digits(&bytes[60], 4), month = Digits(&bytes[64], 2), day = Digits(&bytes[66], 2);
    const int64_t hour = Digits(&bytes[68], 2), minute = Digits(&bytes[70], 2), second = Digits(&bytes[72], 2);
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59)
        return 0;
    std::tm local{};
    local.tm_year = int(year - 1900);
    local.tm_mon = int(month - 1);
    local.tm_mday = int(day);
    local.tm_hour = int(hour);
    local.tm_min = int(minute);
    local.tm_sec = int(second);
    local.tm_isdst = -1;  // the computer's rules decide whether daylight time applied
    const std::time_t seconds = std::mktime(&local);
    // mktime carries a day the month does not have (February 31) into the next month.
    if (local.tm_mday != int(day) || local.tm_mon != int(month - 1)) return 0;
    return seconds < 0 ? 0 : int64_t(seconds);
}

int64_t FileKe8ChHeader::StartSeconds() const
{
    const uint32_t unix = UnixStartSeconds();
    return unix != 0 ? int64_t(unix) : AsciiStartSeconds();
}

double FileKe8ChHeader::ScaleFactor() const
{
    const double factor = Stuff::LoadDouble(&bytes[176]);
    return std::isfinite(factor) && factor != 0.0 ? factor : 1.0;
}

double FileKe8ChHeader::ScaleOffset() const
{
    const double offset = Stuff::LoadDouble(&bytes[184]);
    return std::isfinite(offset) ? offset : 0.0;
}

}  // namespace OvGraphFileLib
