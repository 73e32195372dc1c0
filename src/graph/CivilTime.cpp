#include "graph/CivilTime.h"

#include <initializer_list>

namespace ovgGraph {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Fields and years beyond these magnitudes could overflow the arithmetic below; they are far
// outside the supported years anyway.
constexpr int64_t kFieldLimit = int64_t(1) << 40;
constexpr int64_t kYearLimit = 1000000;

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t FloorMod(int64_t a, int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

// Days since 1970-01-01 of a Gregorian date (month 1-12); eras of 400 years repeat exactly.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // from 1 March
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day)
{
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    year = yearOfEra + era * 400 + (month <= 2);
}

}  // namespace

bool CivilTime::FromSeconds(int64_t seconds, CivilTime& fields)
{
    if (seconds < kFirstSecond || seconds >= kEndSecond) return false;
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t inDay = seconds - days * kSecondsPerDay;
    int64_t year = 0, month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    fields.year = year;
    fields.month = month - 1;
    fields.day = day;
    fields.hour = inDay / 3600;
    fields.minute = inDay / 60 % 60;
    fields.second = inDay % 60;
    fields.weekday = int32_t(FloorMod(days + 4, 7));  // 1970-01-01 was a Thursday
    fields.yearDay = int32_t(days - DaysFromCivil(year, 1, 1));
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
