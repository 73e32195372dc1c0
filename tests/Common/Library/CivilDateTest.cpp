#include <gtest/gtest.h>

#include <cstdint>

#include "Common/Library/CivilDate.h"
#include "Common/Library/FloorDiv.h"

using orvel::CivilDate;

TEST(FloorDiv, RoundsTowardsMinusInfinityWithTheRemainderOfTheDivisorsSign)
{
    const struct {
        int64_t a, b, quotient, remainder;
    } rows[] = {
        {7, 2, 3, 1},
        {-7, 2, -4, 1},
        {7, -2, -4, -1},
        {-7, -2, 3, -1},
        {0, 1000, 0, 0},
        {-1, 1000, -1, 999},  // 1 ms before 1970 lies in the second before
        {-999, 1000, -1, 1},
        {-1000, 1000, -1, 0},
        {-1001, 1000, -2, 999},
        {-86400, 86400, -1, 0},  // 1969-12-31 00:00:00 starts day -1
        {-86401, 86400, -2, 86399},
        {-1, 7, -1, 6},
        {-62135596800001, 1000, -62135596801, 999},  // 1 ms before the year 1
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.quotient, orvel::FloorDiv(row.a, row.b)) << row.a << " / " << row.b;
        EXPECT_EQ(row.remainder, orvel::FloorMod(row.a, row.b)) << row.a << " % " << row.b;
    }
}

TEST(CivilDate, DaysSince1970AcrossYearBoundariesAndLeapRules)
{
    const struct {
        int64_t days;
        CivilDate date;
    } rows[] = {
        {0, {1970, 1, 1}},
        {-1, {1969, 12, 31}},
        {-365, {1969, 1, 1}},
        {-366, {1968, 12, 31}},
        {-672, {1968, 2, 29}},
        {11016, {2000, 2, 29}},    // divisible by 400: a leap year
        {-25509, {1900, 2, 28}},   // divisible by 100 only: no 29 February
        {-25508, {1900, 3, 1}},
        {-135081, {1600, 2, 29}},
        {47540, {2100, 2, 28}},
        {47541, {2100, 3, 1}},
        {-719162, {1, 1, 1}},
        {2932896, {9999, 12, 31}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.date, orvel::CivilFromDays(row.days)) << row.days;
        EXPECT_EQ(row.days, orvel::DaysFromCivil(row.date.year, row.date.month, row.date.day)) << row.days;
    }
    // A day past the end of a month counts on into the next: 1969-12-32 is 1970-01-01.
    EXPECT_EQ(0, orvel::DaysFromCivil(1969, 12, 32));
}

TEST(CivilDate, EveryDayOfTheYears1To9999FollowsTheDayBefore)
{
    const auto daysInMonth = [](int64_t year, int64_t month) -> int64_t {
        static constexpr int64_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return month == 2 && leap ? 29 : kDays[month - 1];
    };
    CivilDate expected{1, 1, 1};
    for (int64_t days = -719162; days <= 2932896; ++days) {
        const CivilDate date = orvel::CivilFromDays(days);
        if (date != expected || orvel::DaysFromCivil(date.year, date.month, date.day) != days) {
            ADD_FAILURE() << "day " << days << " is " << date.year << "-" << date.month << "-" << date.day;
            return;
        }
        if (++expected.day > daysInMonth(expected.year, expected.month)) {
            expected.day = 1;
            if (++expected.month > 12) expected.month = 1, ++expected.year;
        }
    }
}
