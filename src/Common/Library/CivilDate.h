#pragma once

#include <cstdint>

#include "Common/Library/FloorDiv.h"

namespace orvel {

// A date on the proleptic Gregorian calendar: month 1-12, day 1-31.
struct CivilDate {
    int64_t year = 1970;
    int64_t month = 1;
    int64_t day = 1;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 of a date (month 1-12; a day past the month's end counts on into the next).
// Eras of 400 years repeat exactly. Callers keep years within ±10^15, where nothing overflows.
constexpr int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // from 1 March
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The date of a day counted from 1970-01-01 (negative before it).
constexpr CivilDate CivilFromDays(int64_t days)
{
    days += 719468;  // from 0000-03-01
    const int64_t era = FloorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    date.month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    date.year = yearOfEra + era * 400 + (date.month <= 2);
    return date;
}

}  // namespace orvel
