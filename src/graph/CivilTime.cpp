#include "graph/CivilTime.h"

#include <initializer_list>

#include "Common/Library/CivilDate.h"

namespace ovgGraph {

using orvel::DaysFromCivil;
using orvel::FloorDiv;
using orvel::FloorMod;

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Fields and years beyond these magnitudes could overflow the arithmetic below; they are far
// outside the supported years anyway.
constexpr int64_t kFieldLimit = int64_t(1) << 40;
constexpr int64_t kYearLimit = 1000000;

}  // namespace

bool CivilTime::FromSeconds(int64_t seconds, CivilTime& fields)
{
    if (seconds < kFirstSecond || seconds >= kEndSecond) return false;
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t inDay = seconds - days * kSecondsPerDay;
    const orvel::CivilDate date = orvel::CivilFromDays(days);
    fields.year = date.year;
    fields.month = date.month - 1;
    fields.day = date.day;
    fields.hour = inDay / 3600;
    fields.minute = inDay / 60 % 60;
    fields.second = inDay % 60;
    fields.weekday = int32_t(FloorMod(days + 4, 7));  // 1970-01-01 was a Thursday
    fields.yearDay = int32_t(days - DaysFromCivil(date.year, 1, 1));
    return true;
}

bool CivilTime::ToSeconds(int64_t& seconds) const
{
    for (const int64_t field : {year, month, day, hour, minute, second})
        if (field <= -kFieldLimit || field >= kFieldLimit) return false;
    const int64_t fullYear = year + FloorDiv(month, 12);
    if (fullYear <= -kYearLimit || fullYear >= kYearLimit) return false;
    const int64_t days = DaysFromCivil(fullYear, FloorMod(month, 12) + 1, 1) + day - 1;
    const int64_t result = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    if (result < kFirstSecond || result >= kEndSecond) return false;
    seconds = result;
    return true;
}

}  // namespace ovgGraph
