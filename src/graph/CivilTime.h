#pragma once

#include <cstdint>

namespace ovgGraph {

// Calendar fields of a time in whole seconds since 1970-01-01 00:00, broken down as UTC on the
// proleptic Gregorian calendar (no time zone, no leap seconds). Recorded times carry no zone, so
// neither the breakdown nor the conversion back ever looks at the process time zone.
// The fields follow the C library's broken-down time: month 0-11, weekday 0 = Sunday, yearDay 0-365.
struct CivilTime {
    // 0001-01-01 00:00:00 and 10000-01-01 00:00:00: the supported years are 1 to 9999.
    static constexpr int64_t kFirstSecond = -62135596800;
    static constexpr int64_t kEndSecond = 253402300800;

    int64_t year = 1970;
    int64_t month = 0;
    int64_t day = 1;
    int64_t hour = 0;
    int64_t minute = 0;
    int64_t second = 0;
    int32_t weekday = 4;
    int32_t yearDay = 0;

    // False (fields untouched) when the time lies outside the supported years.
    static bool FromSeconds(int64_t seconds, CivilTime& fields);
    // Converts the fields back, carrying out-of-range fields over as the C library's mktime does
    // (day 0 is the last day of the previous month, month 12 is January of the next year, minute
    // -1 is the last minute of the previous hour). Weekday and yearDay are ignored. False when the
    // result lies outside the supported years or a field is absurdly large (beyond 2^40).
    bool ToSeconds(int64_t& seconds) const;
};

}  // namespace ovgGraph
